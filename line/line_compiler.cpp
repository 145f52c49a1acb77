#include "line/line_compiler.h"

#include <algorithm>
#include <limits>
#include <string>

#include "grammar/row_kinds.h"
#include "line/line_plan.h"
#include "line/memo_indicatori_v_max.h"
#include "line/memo_montagna.h"
#include "line/progressive_ordina.h"
#include "scenario/cell_occupant.h"
#include "scenario/compile_step.h"
#include "scenario/error_codes.h"
#include "scenario/format.h"
#include "scenario/plan_encoding.h"
#include "scenario/row_reader.h"
#include "scenario/unknown_field.h"
#include "text_input/field_reader.h"
#include "text_input/keywords.h"
#include "text_input/suggestions.h"

namespace sb {
namespace {

// The cells hold gradients from -100 to 155 per mille.
constexpr int32_t kPendenzaMinima = -100;
constexpr int32_t kPendenzaMassima = 155;

// The vocabulary of each section: its keywords and the headers.
vocabolario vocabolario_linea(ambito_riga a) {
  return {parole_chiave(genere_testo::linea, a), intestazioni_testo(genere_testo::linea)};
}

bool e_chiave_generale(std::string_view c) { return e_chiave_generale_linea(c); }

// Whether a field would be a general keyword but for its letter case.
bool generale_a_parte_maiuscole(std::string_view c) {
  return e_chiave_generale(minuscolo_cp1252(c));
}

bool e_chiave_percorso(std::string_view c) { return e_chiave_percorso_linea(c); }

// The working state of one line compile.
struct lavoro_linea {
  lavoro_linea(scenario& scenario_, std::string_view testo, modo_errori modo_)
      : s(scenario_), lettore(testo), modo(modo_) {}

  scenario& s;
  lettore_campi lettore;
  modo_errori modo;
  int32_t errori_ripresi = 0;       // rows left behind after a code, reading on
  bool senza_celle_detto = false;   // a route length row was met, or its absence told
  bool pendenze_oltre_dette = false;  // the profile carried past the last cell was told
  // Route rows standing in [generale]: the warning about the first, how many
  // more, and the line of the last.
  size_t avviso_fuori_sezione = 0;
  int32_t fuori_sezione = 0;
  luogo_testo ultima_fuori_sezione;
  int32_t riga_fine_generale = 0;  // the header that ended [generale]
  stato_montagne montagne;
  int64_t cursore_pendenza = 0;  // first cell whose gradient is not yet written
  int32_t pendenza_precedente = 0;
  luogo_testo chiave;           // the current row's keyword field
  luogo_testo luogo_pendenza;   // the last gradient row's gradient value
  bool pendenza_letta = false;  // a gradient row took effect
  int32_t posizione_pendenza = 0;
  bool curva_letta = false;     // a curve row took effect
  int64_t fine_curva = 0;       // where the last curve ended
};

int64_t ultima_cella(const scenario& s) { return static_cast<int64_t>(s.celle.size()) - 1; }

// A row of the line text, read from the field after its keyword; `parola`
// names it in messages where the kind's keyword would not.
lettura_riga riga_di(lavoro_linea& w, id_riga id, std::string_view parola = {}) {
  return lettura_riga(w.s, w.lettore, origine_errore::testo_linea, tipo_di(id), parola);
}

luogo_testo a_riga(int32_t riga) { return {origine_errore::testo_linea, riga, 0}; }

// A code that stops the compile where it stands.
passo ferma(lavoro_linea& w, int32_t codice, const luogo_testo& dove, std::string messaggio) {
  registra_codice(w.s, codice, dove, std::move(messaggio));
  return passo::fermata;
}

// The same for a code that carries the row's position.
passo ferma_in(lavoro_linea& w, int32_t codice, const luogo_testo& dove, int32_t posizione, std::string messaggio) {
  registra_codice(w.s, codice, dove, posizione, std::move(messaggio));
  return passo::fermata;
}

// A value of the current row that cannot be computed: code 25.
passo calcolo_fallito(lavoro_linea& w, const luogo_testo& dove, std::string messaggio) {
  registra_codice(w.s, kLetturaFallita, dove, std::move(messaggio));
  return passo::lettura_fallita;
}

// A row beyond the route (or reaching outside the arrays): code 15.
passo fuori_percorso(lavoro_linea& w, const luogo_testo& dove, int32_t posizione, std::string messaggio) {
  registra_codice(w.s, kFuoriPercorso, dove, posizione, std::move(messaggio));
  return passo::fine_percorso;
}

// What to do after a recorder has run, from the code it left; the code is
// given the row's place.
passo dopo_registratore(lavoro_linea& w, const luogo_testo& dove) {
  const int32_t codice = w.s.codice_errore;
  if (codice <= 0) return passo::prosegui;
  attribuisci_ultimo_codice(w.s, dove);
  if (codice == kFuoriPercorso) return passo::fine_percorso;
  if (codice == kLetturaFallita) return passo::lettura_fallita;
  return passo::fermata;
}

// Reading on after a row that recorded a code: the code stays among the
// diagnostics but no longer stands in codice_errore, so that no later row
// stops on it, and the read goes on at the next row.
void lascia_codice(lavoro_linea& w) {
  w.s.codice_errore = kNessunErrore;
  w.s.posizione_errore = 0;
  ++w.errori_ripresi;
}

void riprendi(lavoro_linea& w) {
  lascia_codice(w);
  riprendi_alla_riga_seguente(w.lettore, w.chiave.riga);
}

// Preamble: fields are passed over up to "[generale]"; the text must go on
// after it. A header one slip away from it is remembered to point at.
passo preambolo(lavoro_linea& w) {
  std::string campo;
  luogo_testo quasi;
  std::string quasi_scritto;
  for (;;) {
    if (w.lettore.leggi_testo(campo) != esito_lettura::letto) {
      return calcolo_fallito(w, a_riga(w.lettore.riga()), "the line description is empty");
    }
    const luogo_testo qui{origine_errore::testo_linea, w.lettore.ultimo().riga, w.lettore.ultimo().colonna};
    const bool generale = contiene_nc(campo, "[generale]");
    if (!generale && quasi.riga == 0 && intestazione(campo) &&
        !suggerisci(forma_confrontabile(campo), intestazioni_testo(genere_testo::linea).first(1)).empty()) {
      quasi = qui;
      quasi_scritto = campo;
    }
    if (w.lettore.finito()) {
      if (generale) return ferma(w, kGeneraleAssente, qui, "the line description ends right after [generale]");
      if (quasi.riga > 0) {
        return ferma(w, kGeneraleAssente, quasi, "expected [generale], found '" + quasi_scritto + "'");
      }
      return ferma(w, kGeneraleAssente, a_riga(0), "expected [generale]: the line description has none");
    }
    if (generale) return passo::prosegui;
  }
}

// "lunghezza percorso": sizes the cells (and the plan, with the build flag).
passo riga_lunghezza(lavoro_linea& w) {
  // When this row fails, the rows that need the cells fail with it.
  w.senza_celle_detto = true;
  lettura_riga r = riga_di(w, id_riga::lunghezza_percorso);
  int32_t l = 0;
  if (!r.leggi(l, "route length")) return passo::lettura_fallita;
  r.chiudi();
  w.s.tabella[kOggettoGenerale].fine = l;
  if (l > kLunghezzaMassima) {
    return ferma(w, kLunghezzaEccessiva, r.valore(0),
                 "route length " + std::to_string(l) + " m is above 1000000 m");
  }
  if (l < 0) return calcolo_fallito(w, r.valore(0), "route length " + std::to_string(l) + " m is negative");
  const double n = nearest((static_cast<double>(l) + kMarginePiano) / static_cast<double>(kMetriCella));
  w.s.celle.assign(static_cast<size_t>(n) + 1, cella{});
  w.s.tracce.celle.clear();
  if (w.s.flag_griglia != 0) crea_griglia(w.s.griglia, l);
  return passo::prosegui;
}

// A chainage reference's three values into an entry. The first value that
// is not a multiple of 50 is remembered: code 2 points at it if it stays.
passo riga_progressiva(lavoro_linea& w, oggetto& o, id_riga id) {
  lettura_riga r = riga_di(w, id);
  if (!r.leggi(o.inizio, "first value") || !r.leggi(o.fine, "second value") || !r.leggi(o.posizione, "third value")) {
    return passo::lettura_fallita;
  }
  r.chiudi();
  tracce_compile& t = w.s.tracce;
  if (t.progressiva_non_multipla.riga != 0) return passo::prosegui;
  if (o.inizio % 50 != 0) {
    t.progressiva_non_multipla = r.valore(0);
    t.valore_progressiva = o.inizio;
  } else if (o.fine % 50 != 0) {
    t.progressiva_non_multipla = r.valore(1);
    t.valore_progressiva = o.fine;
  }
  return passo::prosegui;
}

// A background setting's one value.
passo riga_sfondo(lavoro_linea& w, int32_t& valore, id_riga id) {
  lettura_riga r = riga_di(w, id);
  if (!r.leggi(valore, "background")) return passo::lettura_fallita;
  r.chiudi();
  return passo::prosegui;
}

// The cab-signalling stretch and its code count.
passo riga_ripetizione(lavoro_linea& w, const std::string& campo) {
  oggetto& o = w.s.tabella[kOggettoTreno];
  lettura_riga r = riga_di(w, id_riga::ripetizione_segnali, "ripetizione segnali");
  if (!r.leggi(o.inizio, "cab-signalling start") || !r.leggi(o.fine, "cab-signalling end")) {
    return passo::lettura_fallita;
  }
  r.chiudi();
  if (o.inizio % 50 != 0) {
    return ferma(w, kInizioRipetizione, r.valore(0),
                 "cab-signalling start " + std::to_string(o.inizio) + " is not a multiple of 50");
  }
  if (o.fine % 50 != 0) {
    return ferma(w, kFineRipetizione, r.valore(1),
                 "cab-signalling end " + std::to_string(o.fine) + " is not a multiple of 50");
  }
  if (contiene(campo, "4")) {
    o.posizione = 4;
  } else if (contiene(campo, "9")) {
    o.posizione = 9;
  } else {
    return ferma(w, kCodiciRipetizione, r.chiave(),
                 cita(campo) + " holds neither 4 nor 9, its number of codes: write 'ripetizione segnali 4 codici'");
  }
  if (o.fine == 0) o.posizione = 0;
  return passo::prosegui;
}

// The row of a keyword of a section, by its kind's id.
using esegui_riga = passo (*)(lavoro_linea& w, id_riga id, const std::string& campo);

// The keywords of a section, each tested on its own, in the order of the
// grammar: every kind the field holds runs its row, until one ends the
// read. `trovata` tells whether any matched.
passo chiavi_sezione(lavoro_linea& w, ambito_riga a, esegui_riga esegui, const std::string& campo, bool& trovata) {
  passo e = passo::prosegui;
  trovata = false;
  for (const tipo_riga& k : tipi_riga(genere_testo::linea)) {
    if (k.ambito != a || k.variante || !riconosce(k, campo)) continue;
    trovata = true;
    if (e == passo::prosegui) e = esegui(w, k.id, campo);
  }
  return e;
}

// The row of a general keyword.
passo esegui_generale(lavoro_linea& w, id_riga id, const std::string& campo) {
  tabella_oggetti& t = w.s.tabella;
  switch (id) {
    case id_riga::lunghezza_percorso: return riga_lunghezza(w);
    case id_riga::progressiva_uno: return riga_progressiva(w, t[83], id);
    case id_riga::progressiva_due: return riga_progressiva(w, t[82], id);
    case id_riga::progressiva_tre: return riga_progressiva(w, t[81], id);
    case id_riga::sfondo_uno: return riga_sfondo(w, t[kOggettoLinea].inizio, id);
    case id_riga::sfondo_due: return riga_sfondo(w, t[kOggettoLinea].posizione, id);
    case id_riga::sfondo_tre: return riga_sfondo(w, t[kOggettoLinea].fine, id);
    case id_riga::ripetizione_segnali: return riga_ripetizione(w, campo);
    default: return passo::prosegui;
  }
}

// Whether a field ends the general section: it holds "[" and "]" and does
// not begin with "-".
bool fine_sezione(const std::string& campo) {
  const size_t primo = campo.find_first_not_of(" \t");
  const bool trattino = primo != std::string::npos && campo[primo] == '-';
  return contiene(campo, "[") && contiene(campo, "]") && !trattino;
}

// A route row in [generale]: the route rows are read only after a header
// ends it. The first is told with the header it lacks; the rest are counted.
void riga_fuori_sezione(lavoro_linea& w, const std::string& campo) {
  ++w.fuori_sezione;
  if (w.fuori_sezione > 1) {
    w.ultima_fuori_sezione = w.chiave;
    return;
  }
  registra_avviso(w.s, genere_avviso::fuori_sezione, w.chiave,
                  cita(campo) +
                      " is a route row, but no section header has ended [generale]: the row is skipped; "
                      "write '" +
                      std::string(intestazione_di(genere_testo::linea, campo)) + "' above it");
  w.avviso_fuori_sezione = w.s.diagnostiche.size() - 1;
}

// After [generale]: a note on the warning about the first route row in it
// that counts the others, up to the last.
void conta_fuori_sezione(lavoro_linea& w) {
  if (w.fuori_sezione < 2) return;
  const int32_t altre = w.fuori_sezione - 1;
  registra_nota(w.s, w.ultima_fuori_sezione,
                std::to_string(altre) + (altre == 1 ? " more route row stands" : " more route rows stand") +
                    " in [generale], up to this one, and " + (altre == 1 ? "is" : "are") + " skipped too");
  std::vector<diagnostica>& d = w.s.diagnostiche;
  const auto dopo = d.begin() + static_cast<std::ptrdiff_t>(w.avviso_fuori_sezione) + 1;
  std::rotate(dopo, d.end() - 1, d.end());
}

// A general field that matched nothing: a route row before any header, a
// keyword in the wrong letter case, or what campo_sconosciuto tells.
void generale_sconosciuta(lavoro_linea& w, const std::string& campo) {
  const campo_letto& c = w.lettore.ultimo();
  if (c.primo_della_riga && !contiene(campo, "-") && e_chiave_percorso(campo)) {
    riga_fuori_sezione(w, campo);
    return;
  }
  if (c.primo_della_riga && !contiene(campo, "-") && generale_a_parte_maiuscole(campo)) {
    registra_avviso(w.s, genere_avviso::maiuscole, w.chiave,
                    cita(campo) + " is skipped: this keyword is matched letter for letter; write it in lower case, " +
                        cita(minuscolo_cp1252(campo)));
    return;
  }
  campo_sconosciuto(w.s, w.lettore, origine_errore::testo_linea, campo, vocabolario_linea(ambito_riga::generale));
}

// The general section's rows, up to its closing field or the end of the
// text. A field with "-" is replaced by the next, up to ten times.
passo righe_generali(lavoro_linea& w) {
  std::string campo;
  while (!w.lettore.finito()) {
    w.lettore.leggi_testo(campo);
    if (w.lettore.finito()) return passo::prosegui;  // the last field is never examined
    for (int i = 0; i < 10 && contiene(campo, "-"); ++i) {
      if (w.lettore.leggi_testo(campo) != esito_lettura::letto) {
        return calcolo_fallito(w, a_riga(w.lettore.riga()), "the text ends inside a run of remarks in [generale]");
      }
    }
    w.chiave = {origine_errore::testo_linea, w.lettore.ultimo().riga, w.lettore.ultimo().colonna};
    bool trovata = false;
    if (passo e = chiavi_sezione(w, ambito_riga::generale, esegui_generale, campo, trovata); e != passo::prosegui) {
      if (w.modo == modo_errori::ferma) return e;
      riprendi(w);
      continue;
    }
    if (!trovata) generale_sconosciuta(w, campo);
    if (fine_sezione(campo)) {
      w.riga_fine_generale = w.chiave.riga;
      return passo::prosegui;
    }
  }
  return passo::prosegui;
}

// The general section, and the count of the route rows found in it.
passo sezione_generale(lavoro_linea& w) {
  const passo e = righe_generali(w);
  conta_fuori_sezione(w);
  return e;
}

// Orders the chainage references and sets the route section's start state.
passo tra_le_sezioni(lavoro_linea& w) {
  if (!progressive_ordina(w.s.tabella)) {
    return calcolo_fallito(w, a_riga(0), "the chainage references' values add up beyond 32 bits");
  }
  w.s.limite_stazioni = kPrimoCartello;
  if (w.s.griglia.esiste()) semina_griglia(w.s.griglia);
  return passo::prosegui;
}

// The position test of a route row: p + 100 must lie within the cells.
passo prova_posizione(lavoro_linea& w, const lettura_riga& r, int32_t p) {
  if (w.s.celle.empty()) {
    // Reading on, the rows after the first are consequences of it.
    if (w.modo == modo_errori::riprendi && w.senza_celle_detto) return passo::fermata;
    w.senza_celle_detto = true;
    return calcolo_fallito(w, r.chiave(),
                           "no route length yet: 'lunghezza percorso' goes in [generale], before the route rows");
  }
  const int64_t q = int64_t{p} + 100;
  if (!in_32(q)) {
    return calcolo_fallito(w, r.valore(0), "position " + std::to_string(p) + " + 100 does not fit 32 bits");
  }
  if (static_cast<double>(q) / static_cast<double>(kMetriCella) > static_cast<double>(ultima_cella(w.s))) {
    return fuori_percorso(w, r.valore(0), p, oltre_le_celle(w.s, p, 100));
  }
  return passo::prosegui;
}

// Writes the previous gradient + 100 from the cursor up to the cell before
// `fino_a`, at least one cell. False when the sum overflows.
bool scrivi_pendenze(lavoro_linea& w, int64_t fino_a) {
  const int64_t valore = int64_t{w.pendenza_precedente} + 100;
  if (!in_32(valore)) return false;
  const uint8_t byte = static_cast<uint8_t>(valore & 0xFF);
  const int64_t fine = std::min(std::max(fino_a, w.cursore_pendenza + 1), ultima_cella(w.s) + 1);
  for (; w.cursore_pendenza < fine; ++w.cursore_pendenza) {
    w.s.celle[static_cast<size_t>(w.cursore_pendenza)].pendenza = byte;
  }
  return true;
}

// A gradient the previous gradient's + 100 overflows: code 25 at that row.
passo pendenza_troppo_grande(lavoro_linea& w) {
  return calcolo_fallito(w, w.luogo_pendenza,
                         "gradient " + std::to_string(w.pendenza_precedente) + " + 100 does not fit 32 bits");
}

// What the author is told about a gradient row that takes effect: rows out
// of order, and a gradient the cells cannot hold.
void avvisi_pendenza(lavoro_linea& w, const lettura_riga& r, int32_t p, int32_t g) {
  if (p < 0) {
    avviso_prima_dell_inizio(w.s, r.valore(0), p, "gradient row",
                             effetto_profilo_prima(!w.pendenza_letta, w.posizione_pendenza,
                                                   "gradient " + std::to_string(g)));
  } else if (w.pendenza_letta && indice_confine(p) <= indice_confine(w.posizione_pendenza)) {
    registra_avviso(w.s, genere_avviso::fuori_ordine, r.valore(0),
                    !avviso_conservato(w.s, genere_avviso::fuori_ordine)
                        ? std::string()
                        : "gradient row at " + std::to_string(p) + " m does not come after the one at " +
                              std::to_string(w.posizione_pendenza) +
                              " m: rows out of order, or two in one 50 m cell, garble the profile");
  }
  if (g < kPendenzaMinima || g > kPendenzaMassima) {
    const int32_t memorizzata = static_cast<int32_t>((int64_t{g} + 100) & 0xFF) - 100;
    registra_avviso(w.s, genere_avviso::valore_troncato, r.valore(1),
                    !avviso_conservato(w.s, genere_avviso::valore_troncato)
                        ? std::string()
                        : "gradient " + std::to_string(g) + " does not fit -100..155 per mille: it is stored as " +
                              std::to_string(memorizzata));
  }
}

// "pendenza": the previous gradient runs up to this row's cell; this row's
// holds from there on.
passo riga_pendenza(lavoro_linea& w) {
  lettura_riga r = riga_di(w, id_riga::pendenza);
  int32_t p = 0;
  int32_t g = 0;
  if (!r.leggi(p, "position") || !r.leggi(g, "gradient")) return passo::lettura_fallita;
  r.chiudi();
  if (passo e = prova_posizione(w, r, p); e != passo::prosegui) return e;
  avvisi_pendenza(w, r, p, g);
  const int64_t c = indice_confine(p);
  if (c > 0) {
    if (w.cursore_pendenza > ultima_cella(w.s)) {
      // Reading on, every later gradient row would fail for the same cause.
      if (w.modo == modo_errori::riprendi && w.pendenze_oltre_dette) return passo::fermata;
      w.pendenze_oltre_dette = true;
      return fuori_percorso(w, r.valore(0), p,
                            "gradient rows out of order have carried the profile past the last cell");
    }
    if (!scrivi_pendenze(w, c)) return pendenza_troppo_grande(w);
  }
  w.pendenza_precedente = g;
  w.luogo_pendenza = r.valore(1);
  w.pendenza_letta = true;
  w.posizione_pendenza = p;
  ++w.s.tracce.righe.pendenze;
  return passo::prosegui;
}

// A curve that starts before the previous one ends bends only what is left.
void avviso_curva(lavoro_linea& w, const lettura_riga& r, int32_t inizio) {
  if (w.curva_letta && inizio < w.fine_curva) {
    registra_avviso(w.s, genere_avviso::fuori_ordine, r.valore(0),
                    "curve at " + std::to_string(inizio) + " m starts before the previous curve ends at " +
                        std::to_string(w.fine_curva) + " m: only the points still to come are bent");
  }
}

// A curve that starts before the route's start bends only its part from 0 m
// (or from the previous curve's end) on.
void avviso_curva_prima(lavoro_linea& w, const lettura_riga& r, int32_t inizio, int64_t fine) {
  const int64_t da = w.curva_letta ? std::max<int64_t>(w.fine_curva, 0) : 0;
  const std::string effetto =
      fine <= da ? "it bends nothing; remove it or start it on the route"
                 : "only its part from " + std::to_string(da) + " m to its end at " + std::to_string(fine) +
                       " m is bent; write the start " + std::to_string(da) + " and the length " +
                       std::to_string(fine - da);
  avviso_prima_dell_inizio(w.s, r.valore(0), inizio, "curve", effetto);
}

// "curva": extends the plan straight up to the start, then along the curve
// up to its end. Only with the build flag.
passo riga_curva(lavoro_linea& w, const std::string& campo) {
  lettura_riga r = riga_di(w, id_riga::curva, "curva");
  int32_t inizio = 0;
  int32_t lunghezza_curva = 0;
  if (!r.leggi(inizio, "start") || !r.leggi(lunghezza_curva, "length")) return passo::lettura_fallita;
  r.chiudi();
  ++w.s.tracce.righe.curve;
  if (lunghezza_curva <= 0) {
    registra_avviso(w.s, genere_avviso::fuori_intervallo, r.valore(1),
                    "curve length " + std::to_string(lunghezza_curva) + " m bends nothing: the plan runs straight there");
  }
  if (w.s.flag_griglia == 0) return passo::prosegui;
  if (passo e = prova_posizione(w, r, inizio); e != passo::prosegui) return e;
  const int64_t fine = int64_t{inizio} + lunghezza_curva;
  if (!in_32(fine)) {
    return calcolo_fallito(w, r.valore(1), "the curve's end " + std::to_string(inizio) + " + " +
                                               std::to_string(lunghezza_curva) + " does not fit 32 bits");
  }
  if (fine > ultimo_punto(w.s.griglia)) {
    return fuori_percorso(w, r.valore(1), inizio,
                          "the curve ends at " + std::to_string(fine) + " m, beyond the plan's last point at " +
                              std::to_string(ultimo_punto(w.s.griglia)) + " m");
  }
  const double kappa = curvatura(campo);
  if (kappa == 0.0) {
    return ferma(w, kCurvaNonValida, r.chiave(),
                 !codice_conservato(w.s, kCurvaNonValida)
                     ? std::string()
                     : "curve keyword " + cita(campo) + " has no digit 1 to 6 for its curvature, as in 'curvad4'");
  }
  if (inizio < 0) {
    avviso_curva_prima(w, r, inizio, fine);
  } else {
    avviso_curva(w, r, inizio);
  }
  griglia_codificata& g = w.s.griglia;
  estendi_dritto(g, std::min<int64_t>(inizio, kMassimoPuntiCurva));
  if (g.prossimo <= kMassimoPuntiCurva) estendi_curva(g, std::min(fine, kMassimoPuntiCurva), kappa);
  if (g.prossimo > kMassimoPuntiCurva) {
    return ferma(w, kCurvaNonValida, r.chiave(), "the plan passes 1000000 points: curves must end within 1000000 m");
  }
  w.curva_letta = true;
  w.fine_curva = fine;
  return passo::prosegui;
}

// "montagna": a span with its kind.
passo riga_montagna(lavoro_linea& w) {
  lettura_riga r = riga_di(w, id_riga::montagna);
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t tipo = 0;
  if (!r.leggi(inizio, "start") || !r.leggi(fine, "end") || !r.leggi(tipo, "kind")) return passo::lettura_fallita;
  r.chiudi();
  if (passo e = prova_posizione(w, r, inizio); e != passo::prosegui) return e;
  if (!montagna_nelle_celle(inizio, fine, w.s.celle)) {
    if (indice_confine(inizio) < 0) {
      return fuori_percorso(w, r.valore(0), inizio, prima_delle_celle(inizio, indice_confine(inizio), "montagna span"));
    }
    return fuori_percorso(w, r.valore(0), inizio, "the span reaches outside the route's cells");
  }
  memo_montagna(w.s, w.montagne, inizio, fine, tipo);
  if (passo e = dopo_registratore(w, r.chiave()); e != passo::prosegui) return e;
  avviso_prima_dell_inizio(w.s, r.valore(0), inizio, "montagna span",
                           "it is marked from cell 0, as if it began at 0 m; write a start of 0 or more");
  return passo::prosegui;
}

// Indicator speeds go in steps of 5 km/h.
void avvisi_indicatore(lavoro_linea& w, const lettura_riga& r, const indicatore_vmax& v) {
  const int32_t velocita[] = {v.vas, v.vbs, v.vcs, v.strisces, v.vad, v.vbd, v.vcd};
  for (size_t k = 0; k < std::size(velocita); ++k) {
    if (k == 3 || velocita[k] % 5 == 0) continue;
    registra_avviso(w.s, genere_avviso::velocita_arrotondata, r.valore(k + 1),
                    "indicator speed " + std::to_string(velocita[k]) +
                        " km/h is not a multiple of 5: the indicator codes speeds in steps of 5");
  }
}

// Keeps the indicator's highest speed and its field for the service's
// check against the run's speed limits.
void annota_indicatore(scenario& s, const lettura_riga& r, const indicatore_vmax& v) {
  const int32_t velocita[] = {v.vas, v.vbs, v.vcs, v.vad, v.vbd, v.vcd};
  const size_t campo[] = {1, 2, 3, 5, 6, 7};
  size_t massima = 0;
  for (size_t k = 1; k < std::size(velocita); ++k) {
    if (velocita[k] > velocita[massima]) massima = k;
  }
  s.tracce.indicatori.push_back({v.posizione, velocita[massima], r.valore(campo[massima])});
}

// "indicatori_vmax": a maximum-speed indicator with its two faces.
passo riga_indicatore(lavoro_linea& w) {
  lettura_riga r = riga_di(w, id_riga::indicatori_vmax);
  indicatore_vmax v;
  const std::pair<int32_t*, const char*> valori[] = {
      {&v.posizione, "position"}, {&v.vas, "vas"}, {&v.vbs, "vbs"}, {&v.vcs, "vcs"}, {&v.strisces, "strisces"},
      {&v.vad, "vad"},           {&v.vbd, "vbd"}, {&v.vcd, "vcd"}, {&v.strisced, "strisced"}};
  for (const auto& [valore, nome] : valori) {
    if (!r.leggi(*valore, nome)) return passo::lettura_fallita;
  }
  r.chiudi();
  if (passo e = prova_posizione(w, r, v.posizione); e != passo::prosegui) return e;
  memo_indicatori_v_max(w.s, v);
  if (w.s.codice_errore == kIndicatoreOccupato) w.s.posizione_errore = v.posizione;
  if (passo e = dopo_registratore(w, r.valore(0)); e != passo::prosegui) return e;
  segna_origine_oggetto(w.s, indice_cella(v.posizione), r.chiave());
  avviso_prima_dell_inizio(w.s, r.valore(0), v.posizione, "maximum-speed indicator",
                           "it is placed in " + cella_e_metro(indice_cella(v.posizione)) +
                               ", the route's first cell; write a position of 0 or more");
  avvisi_indicatore(w, r, v);
  avviso_oltre_fine(w.s, r.valore(0), v.posizione, "maximum-speed indicator");
  annota_indicatore(w.s, r, v);
  return passo::prosegui;
}

// "cartello_indicatore": a sign board whose caption goes to the next entry
// from 80 downward.
passo riga_cartello(lavoro_linea& w) {
  lettura_riga r = riga_di(w, id_riga::cartello_indicatore);
  int32_t p = 0;
  std::string didascalia;
  if (!r.leggi(p, "position") || !r.leggi_testo(didascalia, "caption", "a caption cannot hold a comma")) {
    return passo::lettura_fallita;
  }
  r.chiudi();
  if (passo e = prova_posizione(w, r, p); e != passo::prosegui) return e;
  const int64_t i = indice_cella(p);
  if (i < 0 || i > ultima_cella(w.s)) return fuori_percorso(w, r.valore(0), p, prima_delle_celle(p, i, "sign board"));
  cella& c = w.s.celle[static_cast<size_t>(i)];
  if (!cella_libera(c)) {
    passo e = ferma_in(w, kCartelloOccupato, r.valore(0), p,
                       "sign board at " + std::to_string(p) + " m: " + cella_e_metro(i) + " already holds " +
                           occupante_cella(w.s, i));
    nota_su_occupante(w.s, i);
    return e;
  }
  if (w.s.limite_stazioni < 0) return ferma_in(w, kTroppiCartelli, r.chiave(), p, "an 82nd sign board: at most 81");
  c.tipo = tipo_cella::cartello;
  c.dato_1 = static_cast<int16_t>(w.s.limite_stazioni);
  w.s.tabella[static_cast<size_t>(w.s.limite_stazioni)].nome = didascalia;
  w.s.luogo_voce[static_cast<size_t>(w.s.limite_stazioni)] = r.testo_letto();
  --w.s.limite_stazioni;
  segna_origine_oggetto(w.s, i, r.chiave());
  avviso_prima_dell_inizio(w.s, r.valore(0), p, "sign board " + cita(didascalia),
                           "it is placed in " + cella_e_metro(i) + ", the route's first cell; write a position of 0 or more");
  avviso_oltre_fine(w.s, r.valore(0), p, "sign board " + cita(didascalia));
  return passo::prosegui;
}

// The row of a route keyword.
passo esegui_percorso(lavoro_linea& w, id_riga id, const std::string& campo) {
  switch (id) {
    case id_riga::pendenza: return riga_pendenza(w);
    case id_riga::curva: return riga_curva(w, campo);
    case id_riga::montagna: return riga_montagna(w);
    case id_riga::indicatori_vmax: return riga_indicatore(w);
    case id_riga::cartello_indicatore: return riga_cartello(w);
    default: return passo::prosegui;
  }
}

// A route field that matched nothing: a general row after [generale] ended,
// or what campo_sconosciuto tells.
void percorso_sconosciuta(lavoro_linea& w, const std::string& campo) {
  const campo_letto& c = w.lettore.ultimo();
  if (c.primo_della_riga && !contiene(campo, "-") && e_chiave_generale(campo) && w.riga_fine_generale > 0) {
    registra_avviso(w.s, genere_avviso::fuori_sezione, w.chiave,
                    cita(campo) + " belongs in [generale], which the header at line " +
                        std::to_string(w.riga_fine_generale) + " ended: the row is skipped; move it above that header");
    return;
  }
  campo_sconosciuto(w.s, w.lettore, origine_errore::testo_linea, campo, vocabolario_linea(ambito_riga::percorso));
}

// The route section, up to the end of the text or code 15.
passo sezione_percorso(lavoro_linea& w) {
  std::string campo;
  while (prossima_chiave(w.lettore, campo)) {
    w.chiave = {origine_errore::testo_linea, w.lettore.ultimo().riga, w.lettore.ultimo().colonna};
    bool trovata = false;
    if (passo e = chiavi_sezione(w, ambito_riga::percorso, esegui_percorso, campo, trovata); e != passo::prosegui) {
      if (w.modo == modo_errori::ferma) return e;
      riprendi(w);
      continue;
    }
    if (!trovata) percorso_sconosciuta(w, campo);
  }
  return passo::prosegui;
}

// The end of the phase: the last gradient up to cell n - 3 and the plan
// straight up to its third-last point.
passo fine_fase(lavoro_linea& w) {
  if (w.s.celle.empty() && w.modo == modo_errori::riprendi && w.senza_celle_detto) return passo::fermata;
  if (w.s.celle.empty()) {
    return calcolo_fallito(w, a_riga(0),
                           "the line description has no route length: 'lunghezza percorso' in [generale]");
  }
  if (w.cursore_pendenza <= ultima_cella(w.s) && !scrivi_pendenze(w, ultima_cella(w.s) - 2)) {
    return pendenza_troppo_grande(w);
  }
  if (w.s.griglia.esiste()) estendi_dritto(w.s.griglia, ultimo_punto(w.s.griglia) - 2);
  return passo::prosegui;
}

// Notes on a line read to its end that has no gradient or no curve row.
void note_finali(lavoro_linea& w) {
  if (w.fuori_sezione > 0) return;  // the route rows stand in [generale]: told already
  if (w.s.tracce.righe.pendenze == 0) {
    registra_nota(w.s, a_riga(0), "the line has no 'pendenza' row: the whole route is level",
                  genere_avviso::testo_senza);
  }
  if (w.s.tracce.righe.curve == 0) {
    registra_nota(w.s, a_riga(0), "the line has no curve row ('curvad4', 'curvas2'...): the whole line is straight",
                  genere_avviso::testo_senza);
  }
}

esito_fase_linea esito(passo p) {
  switch (p) {
    case passo::prosegui:
    case passo::fine_percorso: return esito_fase_linea::prosegui;
    case passo::fermata: return esito_fase_linea::ritorna;
    case passo::lettura_fallita: return esito_fase_linea::lettura_fallita;
  }
  return esito_fase_linea::ritorna;
}

}  // namespace

esito_fase_linea fase_linea(scenario& s, std::string_view testo, modo_errori modo) {
  s.celle.clear();
  s.tracce.celle.clear();
  s.griglia = griglia_codificata{};
  lavoro_linea w(s, testo, modo);
  passo e = preambolo(w);
  if (e == passo::prosegui) e = sezione_generale(w);
  if (e == passo::prosegui) {
    e = tra_le_sezioni(w);
    if (e != passo::prosegui && modo == modo_errori::riprendi) {
      lascia_codice(w);  // the chainage references could not be ordered: the route rows are still read
      e = passo::prosegui;
    }
  }
  if (e == passo::prosegui) e = sezione_percorso(w);
  const bool letta_tutta = e == passo::prosegui;
  if (e == passo::prosegui || e == passo::fine_percorso) {
    if (passo f = fine_fase(w); f != passo::prosegui) e = f;
  }
  // However the phase ended, the plan is now the bytes of its file.
  chiudi_griglia(s.griglia);
  if (e != passo::prosegui && modo == modo_errori::ferma) segna_interruzione(s);
  if (modo == modo_errori::riprendi) {
    if (w.errori_ripresi == 0 && e == passo::prosegui) note_finali(w);
    s.codice_errore = kNessunErrore;
    return s.celle.empty() ? esito_fase_linea::ritorna : esito_fase_linea::prosegui;
  }
  if (letta_tutta && e == passo::prosegui) note_finali(w);
  return esito(e);
}

}  // namespace sb
