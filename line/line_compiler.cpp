#include "line/line_compiler.h"

#include <algorithm>
#include <limits>
#include <string>

#include "line/line_plan.h"
#include "line/memo_indicatori_v_max.h"
#include "line/memo_montagna.h"
#include "line/progressive_ordina.h"
#include "scenario/compile_step.h"
#include "scenario/plan_encoding.h"
#include "scenario/error_codes.h"
#include "text_input/field_reader.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

// Longest route the simulator takes, in metres.
constexpr int32_t kLunghezzaMassima = 1000000;

// Entry of the first sign caption; later captions go downward.
constexpr int32_t kPrimoCartello = 80;

// The working state of one line compile.
struct lavoro_linea {
  lavoro_linea(scenario& scenario_, std::string_view testo) : s(scenario_), lettore(testo) {}

  scenario& s;
  lettore_campi lettore;
  stato_montagne montagne;
  int64_t cursore_pendenza = 0;  // first cell whose gradient is not yet written
  int32_t pendenza_precedente = 0;
  int32_t riga = 0;             // line of the current row's keyword field
};

int64_t ultima_cella(const scenario& s) { return static_cast<int64_t>(s.celle.size()) - 1; }

// Records a code found in the line text at the given line.
void registra(lavoro_linea& w, int32_t codice, int32_t riga) {
  registra_codice(w.s, codice, origine_errore::testo_linea, riga);
}

// A read that failed: code 25 at the line of that read.
passo lettura_fallita(lavoro_linea& w) {
  registra(w, kLetturaFallita, w.lettore.riga());
  return passo::lettura_fallita;
}

// A value of the current row that cannot be computed: code 25 at the row.
passo calcolo_fallito(lavoro_linea& w) {
  registra(w, kLetturaFallita, w.riga);
  return passo::lettura_fallita;
}

// A code that ends the compile, with its position.
passo ferma(lavoro_linea& w, int32_t codice, int32_t posizione) {
  registra_codice(w.s, codice, origine_errore::testo_linea, w.riga, posizione);
  return passo::fermata;
}

// A row beyond the route (or reaching outside the arrays): code 15.
passo fuori_percorso(lavoro_linea& w, int32_t posizione) {
  registra_codice(w.s, kFuoriPercorso, origine_errore::testo_linea, w.riga, posizione);
  return passo::fine_percorso;
}

// What to do after a recorder has run, from the code it left.
passo dopo_registratore(lavoro_linea& w) {
  const int32_t codice = w.s.codice_errore;
  if (codice <= 0) return passo::prosegui;
  attribuisci_ultimo_codice(w.s, origine_errore::testo_linea, w.riga);
  if (codice == kFuoriPercorso) return passo::fine_percorso;
  if (codice == kLetturaFallita) return passo::lettura_fallita;
  return passo::fermata;
}

bool leggi(lavoro_linea& w, int32_t& valore) { return w.lettore.leggi_numero(valore) == esito_lettura::letto; }

// Preamble: fields are passed over up to "[generale]"; the text must go on
// after it.
passo preambolo(lavoro_linea& w) {
  std::string campo;
  for (;;) {
    if (w.lettore.leggi_testo(campo) != esito_lettura::letto) return lettura_fallita(w);
    w.riga = w.lettore.riga();
    if (w.lettore.finito()) {
      registra(w, kGeneraleAssente, w.riga);
      return passo::fermata;
    }
    if (contiene_nc(campo, "[generale]")) return passo::prosegui;
  }
}

// "lunghezza percorso": sizes the cells (and the plan, with the build flag).
passo riga_lunghezza(lavoro_linea& w) {
  int32_t l = 0;
  if (!leggi(w, l)) return lettura_fallita(w);
  w.s.tabella[kOggettoGenerale].fine = l;
  if (l > kLunghezzaMassima) {
    registra(w, kLunghezzaEccessiva, w.riga);
    return passo::fermata;
  }
  if (l < 0) return calcolo_fallito(w);
  const double n = nearest((static_cast<double>(l) + kMarginePiano) / 50.0);
  w.s.celle.assign(static_cast<size_t>(n) + 1, cella{});
  if (w.s.flag_griglia != 0) crea_griglia(w.s.griglia, l);
  return passo::prosegui;
}

// A chainage reference's three values into an entry.
passo riga_progressiva(lavoro_linea& w, oggetto& o) {
  if (!leggi(w, o.inizio) || !leggi(w, o.fine) || !leggi(w, o.posizione)) return lettura_fallita(w);
  return passo::prosegui;
}

// The cab-signalling stretch and its code count.
passo riga_ripetizione(lavoro_linea& w, const std::string& campo) {
  oggetto& o = w.s.tabella[kOggettoTreno];
  if (!leggi(w, o.inizio) || !leggi(w, o.fine)) return lettura_fallita(w);
  int32_t codice = kNessunErrore;
  if (o.inizio % 50 != 0) {
    codice = kInizioRipetizione;
  } else if (o.fine % 50 != 0) {
    codice = kFineRipetizione;
  } else if (contiene(campo, "4")) {
    o.posizione = 4;
  } else if (contiene(campo, "9")) {
    o.posizione = 9;
  } else {
    codice = kCodiciRipetizione;
  }
  if (codice != kNessunErrore) {
    registra(w, codice, w.riga);
    return passo::fermata;
  }
  if (o.fine == 0) o.posizione = 0;
  return passo::prosegui;
}

// The general keywords, each tested on its own, in the order of the format.
passo chiavi_generali(lavoro_linea& w, const std::string& campo) {
  tabella_oggetti& t = w.s.tabella;
  passo e = passo::prosegui;
  if (contiene_nc(campo, "lunghezza") && contiene_nc(campo, "percorso")) e = riga_lunghezza(w);
  if (e == passo::prosegui && contiene(campo, "progressiva") && contiene(campo, "uno")) e = riga_progressiva(w, t[83]);
  if (e == passo::prosegui && contiene(campo, "progressiva") && contiene(campo, "due")) e = riga_progressiva(w, t[82]);
  if (e == passo::prosegui && contiene(campo, "progressiva") && contiene(campo, "tre")) e = riga_progressiva(w, t[81]);
  if (e == passo::prosegui && contiene(campo, "sfondo") && contiene(campo, "uno") && !leggi(w, t[kOggettoLinea].inizio))
    e = lettura_fallita(w);
  if (e == passo::prosegui && contiene(campo, "sfondo") && contiene(campo, "due") &&
      !leggi(w, t[kOggettoLinea].posizione))
    e = lettura_fallita(w);
  if (e == passo::prosegui && contiene(campo, "sfondo") && contiene(campo, "tre") && !leggi(w, t[kOggettoLinea].fine))
    e = lettura_fallita(w);
  if (e == passo::prosegui && contiene(campo, "ripetizione") && contiene(campo, "segnali"))
    e = riga_ripetizione(w, campo);
  return e;
}

// Whether a field ends the general section: it holds "[" and "]" and does
// not begin with "-".
bool fine_sezione(const std::string& campo) {
  const size_t primo = campo.find_first_not_of(" \t");
  const bool trattino = primo != std::string::npos && campo[primo] == '-';
  return contiene(campo, "[") && contiene(campo, "]") && !trattino;
}

// The general section, up to its closing field or the end of the text. A
// field with "-" is replaced by the next, up to ten times.
passo sezione_generale(lavoro_linea& w) {
  std::string campo;
  while (!w.lettore.finito()) {
    w.lettore.leggi_testo(campo);
    if (w.lettore.finito()) return passo::prosegui;  // the last field is never examined
    for (int i = 0; i < 10 && contiene(campo, "-"); ++i) {
      if (w.lettore.leggi_testo(campo) != esito_lettura::letto) return lettura_fallita(w);
    }
    w.riga = w.lettore.riga();
    if (passo e = chiavi_generali(w, campo); e != passo::prosegui) return e;
    if (fine_sezione(campo)) return passo::prosegui;
  }
  return passo::prosegui;
}

// Orders the chainage references and sets the route section's start state.
passo tra_le_sezioni(lavoro_linea& w) {
  if (!progressive_ordina(w.s.tabella)) {
    registra(w, kLetturaFallita, 0);
    return passo::lettura_fallita;
  }
  w.s.limite_stazioni = kPrimoCartello;
  if (w.s.griglia.esiste()) semina_griglia(w.s.griglia);
  return passo::prosegui;
}

// The position test of a route row: p + 100 must lie within the cells.
passo prova_posizione(lavoro_linea& w, int32_t p) {
  if (w.s.celle.empty()) return calcolo_fallito(w);  // no route length yet
  const int64_t q = int64_t{p} + 100;
  if (!in_32(q)) return calcolo_fallito(w);
  if (static_cast<double>(q) / 50.0 > static_cast<double>(ultima_cella(w.s))) return fuori_percorso(w, p);
  return passo::prosegui;
}

// Writes the previous gradient + 100 from the cursor up to the cell before
// `fino_a`, at least one cell. False when the sum overflows.
bool scrivi_pendenze(lavoro_linea& w, int64_t fino_a) {
  const int64_t valore = int64_t{w.pendenza_precedente} + 100;
  if (!in_32(valore)) return false;
  const uint8_t byte = static_cast<uint8_t>(valore & 0xFF);
  const int64_t fine = std::min(std::max(fino_a, w.cursore_pendenza + 1), ultima_cella(w.s) + 1);
  for (; w.cursore_pendenza < fine; ++w.cursore_pendenza) w.s.celle[static_cast<size_t>(w.cursore_pendenza)].pendenza = byte;
  return true;
}

// "pendenza": the previous gradient runs up to this row's cell; this row's
// holds from there on.
passo riga_pendenza(lavoro_linea& w) {
  int32_t p = 0;
  int32_t g = 0;
  if (!leggi(w, p) || !leggi(w, g)) return lettura_fallita(w);
  if (passo e = prova_posizione(w, p); e != passo::prosegui) return e;
  const int64_t c = indice_confine(p);
  if (c > 0) {
    if (w.cursore_pendenza > ultima_cella(w.s)) return fuori_percorso(w, p);
    if (!scrivi_pendenze(w, c)) return calcolo_fallito(w);
  }
  w.pendenza_precedente = g;
  return passo::prosegui;
}

// "curva": extends the plan straight up to the start, then along the curve
// up to its end. Only with the build flag.
passo riga_curva(lavoro_linea& w, const std::string& campo) {
  int32_t inizio = 0;
  int32_t lunghezza = 0;
  if (!leggi(w, inizio) || !leggi(w, lunghezza)) return lettura_fallita(w);
  if (w.s.flag_griglia == 0) return passo::prosegui;
  if (passo e = prova_posizione(w, inizio); e != passo::prosegui) return e;
  const int64_t fine = int64_t{inizio} + lunghezza;
  if (!in_32(fine)) return calcolo_fallito(w);
  if (fine > ultimo_punto(w.s.griglia)) return fuori_percorso(w, inizio);
  const double kappa = curvatura(campo);
  if (kappa == 0.0) {
    registra(w, kCurvaNonValida, w.riga);
    return passo::fermata;
  }
  griglia_codificata& g = w.s.griglia;
  estendi_dritto(g, std::min<int64_t>(inizio, kMassimoPuntiCurva));
  if (g.prossimo <= kMassimoPuntiCurva) estendi_curva(g, std::min(fine, kMassimoPuntiCurva), kappa);
  if (g.prossimo > kMassimoPuntiCurva) {
    registra(w, kCurvaNonValida, w.riga);
    return passo::fermata;
  }
  return passo::prosegui;
}

// "montagna": a span with its kind.
passo riga_montagna(lavoro_linea& w) {
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t tipo = 0;
  if (!leggi(w, inizio) || !leggi(w, fine) || !leggi(w, tipo)) return lettura_fallita(w);
  if (passo e = prova_posizione(w, inizio); e != passo::prosegui) return e;
  if (!montagna_nelle_celle(inizio, fine, w.s.celle)) return fuori_percorso(w, inizio);
  memo_montagna(w.s, w.montagne, inizio, fine, tipo);
  return dopo_registratore(w);
}

// "indicatori_vmax": a maximum-speed indicator with its two faces.
passo riga_indicatore(lavoro_linea& w) {
  indicatore_vmax v;
  for (int32_t* valore : {&v.posizione, &v.vas, &v.vbs, &v.vcs, &v.strisces, &v.vad, &v.vbd, &v.vcd, &v.strisced}) {
    if (!leggi(w, *valore)) return lettura_fallita(w);
  }
  if (passo e = prova_posizione(w, v.posizione); e != passo::prosegui) return e;
  memo_indicatori_v_max(w.s, v);
  if (w.s.codice_errore == kIndicatoreOccupato) w.s.posizione_errore = v.posizione;
  return dopo_registratore(w);
}

// "cartello_indicatore": a sign board whose caption goes to the next entry
// from 80 downward.
passo riga_cartello(lavoro_linea& w) {
  int32_t p = 0;
  std::string didascalia;
  if (!leggi(w, p) || w.lettore.leggi_testo(didascalia) != esito_lettura::letto) return lettura_fallita(w);
  const int32_t riga_didascalia = w.lettore.riga();
  if (passo e = prova_posizione(w, p); e != passo::prosegui) return e;
  const int64_t i = indice_cella(p);
  if (i < 0 || i > ultima_cella(w.s)) return fuori_percorso(w, p);
  cella& c = w.s.celle[static_cast<size_t>(i)];
  if (!cella_libera(c)) return ferma(w, kCartelloOccupato, p);
  if (w.s.limite_stazioni < 0) return ferma(w, kTroppiCartelli, p);
  c.tipo = tipo_cella::cartello;
  c.dato_1 = static_cast<int16_t>(w.s.limite_stazioni);
  w.s.tabella[static_cast<size_t>(w.s.limite_stazioni)].nome = didascalia;
  w.s.riga_voce[static_cast<size_t>(w.s.limite_stazioni)] = riga_didascalia;
  --w.s.limite_stazioni;
  return passo::prosegui;
}

// The route keywords, each tested on its own, in the order of the format.
passo chiavi_percorso(lavoro_linea& w, const std::string& campo) {
  passo e = passo::prosegui;
  if (contiene_nc(campo, "pendenza")) e = riga_pendenza(w);
  if (e == passo::prosegui && contiene_nc(campo, "curva")) e = riga_curva(w, campo);
  if (e == passo::prosegui && contiene_nc(campo, "montagna")) e = riga_montagna(w);
  if (e == passo::prosegui && contiene_nc(campo, "indicatori_v")) e = riga_indicatore(w);
  if (e == passo::prosegui && contiene_nc(campo, "indicat") && contiene_nc(campo, "cartello")) e = riga_cartello(w);
  return e;
}

// The route section, up to the end of the text or code 15.
passo sezione_percorso(lavoro_linea& w) {
  std::string campo;
  while (prossima_chiave(w.lettore, campo)) {
    w.riga = w.lettore.riga();
    if (passo e = chiavi_percorso(w, campo); e != passo::prosegui) return e;
  }
  return passo::prosegui;
}

// The end of the phase: the last gradient up to cell n - 3 and the plan
// straight up to its third-last point.
passo fine_fase(lavoro_linea& w) {
  if (w.s.celle.empty()) {
    registra(w, kLetturaFallita, 0);
    return passo::lettura_fallita;
  }
  if (w.cursore_pendenza <= ultima_cella(w.s) && !scrivi_pendenze(w, ultima_cella(w.s) - 2)) {
    registra(w, kLetturaFallita, 0);
    return passo::lettura_fallita;
  }
  if (w.s.griglia.esiste()) estendi_dritto(w.s.griglia, ultimo_punto(w.s.griglia) - 2);
  return passo::prosegui;
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

esito_fase_linea fase_linea(scenario& s, std::string_view testo) {
  s.celle.clear();
  s.griglia = griglia_codificata{};
  lavoro_linea w(s, testo);
  passo e = preambolo(w);
  if (e == passo::prosegui) e = sezione_generale(w);
  if (e == passo::prosegui) e = tra_le_sezioni(w);
  if (e == passo::prosegui) e = sezione_percorso(w);
  if (e == passo::prosegui || e == passo::fine_percorso) {
    if (passo f = fine_fase(w); f != passo::prosegui) e = f;
  }
  // However the phase ended, the plan is now the bytes of its file.
  chiudi_griglia(s.griglia);
  return esito(e);
}

}  // namespace sb
