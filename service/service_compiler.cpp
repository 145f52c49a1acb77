#include "service/service_compiler.h"

#include <algorithm>
#include <string>

#include "grammar/row_kinds.h"
#include "scenario/cell_occupant.h"
#include "scenario/error_codes.h"
#include "scenario/unknown_field.h"
#include "service/memo_rallentamento.h"
#include "service/memo_segnale.h"
#include "service/placement_checks.h"
#include "service/profile_fill.h"
#include "service/service_read.h"
#include "service/station_row.h"
#include "text_input/keywords.h"
#include "text_input/suggestions.h"

namespace sb {
namespace {

// Tells about a value that a field of fewer bits changes: "stored as -56".
void se_troncato(scenario& s, const luogo_testo& dove, std::string_view nome, int64_t valore, int64_t memorizzato,
                 std::string_view campo) {
  if (valore == memorizzato) return;
  registra_avviso(s, genere_avviso::valore_troncato, dove,
                  std::string(nome) + " " + std::to_string(valore) + " does not fit " + std::string(campo) +
                      ": it is stored as " + std::to_string(memorizzato));
}

// Tells about a value outside the range its field means.
void se_fuori(scenario& s, const luogo_testo& dove, std::string_view nome, int32_t valore, int32_t minimo,
              int32_t massimo) {
  if (valore >= minimo && valore <= massimo) return;
  registra_avviso(s, genere_avviso::fuori_intervallo, dove,
                  std::string(nome) + " " + std::to_string(valore) + " is outside " + std::to_string(minimo) + ".." +
                      std::to_string(massimo));
}

passo riga_massa_frenata(scenario& s, lettura_servizio& r) {
  lettura_riga riga = riga_di(s, r, id_riga::massa_frenata);
  if (!riga.leggi(s.tabella[kOggettoGenerale].inizio, "braked weight")) return passo::lettura_fallita;
  riga.chiudi();
  return passo::prosegui;
}

passo riga_vetture(scenario& s, lettura_servizio& r) {
  lettura_riga riga = riga_di(s, r, id_riga::vetture);
  if (!riga.leggi(s.tabella[kOggettoGenerale].posizione, "number of vehicles")) return passo::lettura_fallita;
  riga.chiudi();
  return passo::prosegui;
}

passo riga_orologio(scenario& s, lettura_servizio& r) {
  oggetto& treno = s.tabella[kOggettoTreno];
  lettura_riga riga = riga_di(s, r, id_riga::orologio);
  if (!riga.leggi(treno.param_3, "hours") || !riga.leggi(treno.param_4, "minutes") ||
      !riga.leggi(treno.param_5, "seconds")) {
    return passo::lettura_fallita;
  }
  riga.chiudi();
  r.orologio_letto = true;
  r.orologio = (treno.param_3 * 60 + treno.param_4) * 60 + treno.param_5;
  r.luogo_orologio = riga.valore(0);
  r.orologio_valido = avviso_ora(s, riga, 0, "the clock", treno.param_3, treno.param_4, treno.param_5);
  return passo::prosegui;
}

passo riga_sabbia(scenario& s, lettura_servizio& r) {
  lettura_riga riga = riga_di(s, r, id_riga::sabbia);
  if (!riga.leggi(s.tabella[kOggettoTreno].param_1, "sand")) return passo::lettura_fallita;
  riga.chiudi();
  return passo::prosegui;
}

// A profile row at p that does not come after the previous one, or a first
// row that does not stand at 0.
void avviso_ordine(scenario& s, const lettura_riga& riga, std::string_view parola, std::string_view cosa, bool letta,
                   int32_t precedente, int32_t p, int32_t valore) {
  const luogo_testo dove = riga.valore(0);
  if (p < 0) {
    avviso_prima_dell_inizio(s, dove, p, std::string(cosa) + " row",
                             effetto_profilo_prima(!letta, precedente, std::string(cosa) + " " + std::to_string(valore)));
    return;
  }
  if (!letta && p > 0) {
    registra_avviso(s, genere_avviso::fuori_ordine, dove,
                    "the first '" + std::string(parola) + "' row stands at " + std::to_string(p) +
                        " m, not at 0: the cells before it get " + std::string(cosa) + " 0");
  }
  if (letta && indice_confine(p) <= indice_confine(precedente)) {
    registra_avviso(s, genere_avviso::fuori_ordine, dove,
                    std::string(cosa) + " row at " + std::to_string(p) + " m does not come after the one at " +
                        std::to_string(precedente) +
                        " m: rows out of order, or two in one 50 m cell, garble the profile");
  }
}

passo riga_velocita(scenario& s, lettura_servizio& r) {
  lettura_riga riga = riga_di(s, r, id_riga::velocita);
  int32_t p = 0, v = 0;
  if (!riga.leggi(p, "position") || !riga.leggi(v, "speed")) return passo::lettura_fallita;
  riga.chiudi();
  if (passo e = verifica_percorso(s, riga, p, 100); e != passo::prosegui) return e;
  avviso_ordine(s, riga, "velocita", "speed", r.velocita_letta, r.posizione_velocita, p, v);
  if (v % 5 != 0 && v > 0 && v <= 1277) {
    registra_avviso(s, genere_avviso::velocita_arrotondata, riga.valore(1),
                    "speed " + std::to_string(v) + " km/h is not a multiple of 5: it is stored as " +
                        std::to_string(static_cast<int32_t>(nearest(v / 5.0)) * 5));
  }
  r.velocita_letta = true;
  r.posizione_velocita = p;
  r.velocita.push_back({p, v, riga.valore(1)});
  return riempi_velocita(s, r, p, v, riga.valore(1));
}

passo riga_aderenza(scenario& s, lettura_servizio& r) {
  lettura_riga riga = riga_di(s, r, id_riga::aderenza);
  int32_t p = 0, a = 0;
  if (!riga.leggi(p, "position") || !riga.leggi(a, "adhesion")) return passo::lettura_fallita;
  riga.chiudi();
  if (passo e = verifica_percorso(s, riga, p, 100); e != passo::prosegui) return e;
  avviso_ordine(s, riga, "aderenza", "adhesion", r.aderenza_letta, r.posizione_aderenza, p, a);
  se_troncato(s, riga.valore(1), "adhesion", a, static_cast<uint8_t>(a), "0..255");
  r.aderenza_letta = true;
  r.posizione_aderenza = p;
  riempi_aderenza(s, r, p, a);
  return passo::prosegui;
}

// A note on the last code recorded, put right after it and the notes that
// follow it, wherever later diagnostics stand.
void nota_dopo_ultimo_codice(scenario& s, const luogo_testo& dove, std::string messaggio) {
  std::vector<diagnostica>& d = s.diagnostiche;
  size_t posto = d.size();
  for (size_t i = d.size(); i-- > 0;) {
    if (d[i].livello != gravita::errore) continue;
    posto = i + 1;
    while (posto < d.size() && d[posto].livello == gravita::nota) ++posto;
    break;
  }
  const size_t prima = d.size();
  registra_nota(s, dove, std::move(messaggio));
  if (d.size() > prima) std::rotate(d.begin() + static_cast<std::ptrdiff_t>(posto), d.end() - 1, d.end());
}

// After a recorder: any code above 0 stops the read, one left pending by the
// line phase included, with the row's position. A code the recorder
// recorded (since `prima`) is given the row; a code still set from earlier
// is recorded again at this row, with a note at where it came from.
passo dopo_registrazione(scenario& s, const lettura_riga& riga, int32_t posizione, size_t prima) {
  if (s.codice_errore <= 0) return passo::prosegui;
  if (codice_registrato_da(s, prima)) {
    s.posizione_errore = posizione;
    attribuisci_ultimo_codice(s, riga.valore(0));
    return passo::fermata;
  }
  // The code pending from the line is no finding of its own here: a note on
  // it tells where it stopped the read of the service.
  s.posizione_errore = posizione;
  nota_dopo_ultimo_codice(s, riga.chiave(),
                          "this code stops the read of the service at this row, its first signal or slowdown; the "
                          "rows after it are not read");
  return passo::fermata;
}

// The values of a signal that lie outside the ranges the simulator knows,
// and a time value that 8 bits change.
void avvisi_segnale(scenario& s, const lettura_riga& riga, const valori_segnale& v) {
  se_fuori(s, riga.valore(1), "sx", v.sx, 0, 2);
  const int32_t cifre[] = {v.s1, v.s2, v.s3, v.rapp};
  const char* nomi[] = {"s1", "s2", "s3", "rapp"};
  for (size_t k = 0; k < 4; ++k) se_fuori(s, riga.valore(k + 2), nomi[k], cifre[k], 0, 9);
  se_fuori(s, riga.valore(6), "dx", v.dx, 0, 2);
  const int32_t cifre_d[] = {v.d1, v.d2, v.d3};
  const char* nomi_d[] = {"d1", "d2", "d3"};
  for (size_t k = 0; k < 3; ++k) se_fuori(s, riga.valore(k + 7), nomi_d[k], cifre_d[k], 0, 9);
  if (v.sx == 2) se_troncato(s, riga.valore(10), "tempo", v.tempo, static_cast<uint8_t>(v.tempo), "0..255");
}

// The first of the cells 2, 4, 6 and 8 before cell i that already holds an
// approach mark; -1 when none does.
int64_t preavviso_presente(const scenario& s, int64_t i) {
  for (int64_t b = 1; b <= 4; ++b) {
    if (s.celle[static_cast<size_t>(i - 2 * b)].preavviso != 0) return i - 2 * b;
  }
  return -1;
}

passo riga_segnale(scenario& s, lettura_servizio& r) {
  lettura_riga riga = riga_di(s, r, id_riga::segnale);
  int32_t p = 0;
  valori_segnale v;
  const std::pair<int32_t*, const char*> valori[] = {
      {&p, "position"}, {&v.sx, "sx"}, {&v.s1, "s1"}, {&v.s2, "s2"}, {&v.s3, "s3"}, {&v.rapp, "rapp"},
      {&v.dx, "dx"},    {&v.d1, "d1"}, {&v.d2, "d2"}, {&v.d3, "d3"}, {&v.tempo, "tempo"}};
  for (const auto& [valore, nome] : valori) {
    if (!riga.leggi(*valore, nome)) return passo::lettura_fallita;
  }
  riga.chiudi();
  if (passo e = verifica_percorso(s, riga, p, 100); e != passo::prosegui) return e;
  if (!segnale_nel_percorso(s, p)) {
    return fuori_percorso(s, riga.valore(0), p,
                          "signal at " + std::to_string(p) +
                              " m: a signal stands at 325 m or more, for its approach marks 100 to 400 m before it");
  }
  const int64_t i = indice_cella(p);
  const int64_t nascosto = cella_libera(s.celle[static_cast<size_t>(i)]) ? preavviso_presente(s, i) : -1;
  const origine_cella prima_origine = origine_di(s, nascosto);
  const size_t prima = s.limite.errori;
  if (!memo_segnale(s, p, v)) return fallita(s, riga.chiave(), "the signal's coded values do not fit 32 bits");
  if (passo e = dopo_registrazione(s, riga, p, prima); e != passo::prosegui) return e;
  segna_origine_oggetto(s, i, riga.chiave());
  for (int64_t b = 1; b <= 4; ++b) segna_origine_preavviso(s, i - 2 * b, riga.chiave());
  avvisi_segnale(s, riga, v);
  avviso_oltre_fine(s, riga.valore(0), p, "signal");
  r.segnali.push_back({p, 0, riga.valore(0)});
  if (nascosto >= 0 && !da_riga_lasciata(r, prima_origine.preavviso)) {
    registra_avviso(s, genere_avviso::sovrascrittura, riga.valore(0),
                    "the approach marks of the signal at " + std::to_string(p) + " m overwrite an approach mark in " +
                        cella_e_metro(nascosto));
    if (prima_origine.preavviso.riga > 0) {
      registra_nota(s, prima_origine.preavviso, "the overwritten approach mark comes from this row");
    }
  }
  ++s.tracce.righe.segnali;
  return passo::prosegui;
}

passo riga_rallentamento(scenario& s, lettura_servizio& r) {
  lettura_riga riga = riga_di(s, r, id_riga::rallentamento);
  int32_t p = 0;
  valori_rallentamento v;
  if (!riga.leggi(p, "position") || !riga.leggi(v.v, "v") || !riga.leggi(v.l, "l") || !riga.leggi(v.f_tt, "f_tt") ||
      !riga.leggi(v.f_ta, "f_ta") || !riga.leggi(v.d_v, "d_v")) {
    return passo::lettura_fallita;
  }
  riga.chiudi();
  if (passo e = verifica_percorso(s, riga, p, 100); e != passo::prosegui) return e;
  celle_rallentamento c;
  if (!celle_di_rallentamento(p, v, c)) {
    return fallita(s, riga.valore(2), "the slowdown's end " + std::to_string(p) + " + " + std::to_string(v.l) +
                                          " does not fit 32 bits");
  }
  if (!rallentamento_nel_percorso(s, c)) {
    if (c.inizio < 0) return fuori_percorso(s, riga.valore(0), p, prima_delle_celle(p, c.inizio, "slowdown"));
    return fuori_percorso(s, riga.valore(0), p, "the slowdown's cells reach outside the route");
  }
  const size_t prima = s.limite.errori;
  memo_rallentamento(s, c, v);
  if (passo e = dopo_registrazione(s, riga, p, prima); e != passo::prosegui) return e;
  for (int64_t i : {c.inizio, c.fine}) segna_origine_oggetto(s, i, riga.chiave());
  if (c.con_avviso) segna_origine_oggetto(s, c.avviso, riga.chiave());
  for (int64_t j = 0; c.con_approcci && j < 4; ++j) segna_origine_oggetto(s, c.approccio - j, riga.chiave());
  se_troncato(s, riga.valore(1), "v", v.v, static_cast<int16_t>(v.v), "16 bits");
  se_troncato(s, riga.valore(3), "f_tt", v.f_tt, static_cast<int16_t>(v.f_tt), "16 bits");
  se_troncato(s, riga.valore(5), "d_v", v.d_v, static_cast<int16_t>(v.d_v), "16 bits");
  avviso_prima_dell_inizio(s, riga.valore(0), p, "slowdown",
                           "its start is placed in " + cella_e_metro(c.inizio) +
                               ", the route's first cell; write a position of 0 or more");
  avviso_oltre_fine(s, riga.valore(0), p, "slowdown");
  r.rallentamenti.push_back({p, v.v, riga.valore(0)});
  ++s.tracce.righe.rallentamenti;
  return passo::prosegui;
}

// A code-reduction point in cell nearest(p / 50), with its value when above 0.
passo riga_abbattimento(scenario& s, lettura_servizio& r) {
  lettura_riga riga = riga_di(s, r, id_riga::abbattimento);
  int32_t p = 0, w = 0;
  if (!riga.leggi(p, "position") || !riga.leggi(w, "value")) return passo::lettura_fallita;
  riga.chiudi();
  if (passo e = verifica_percorso(s, riga, p, 100); e != passo::prosegui) return e;
  int64_t i = indice_confine(p);
  if (!cella_esiste(s, i)) return fuori_percorso(s, riga.valore(0), p, prima_delle_celle(p, i, "code-reduction point"));
  cella& c = s.celle[static_cast<size_t>(i)];
  if (!cella_libera(c)) {
    passo e = ferma_in(s, kAbbattimentoOccupato, riga.valore(0), p,
                       "code-reduction point at " + std::to_string(p) + " m: its cell " + std::to_string(i) +
                           " (round(p / 50)) already holds " + occupante_cella(s, i));
    nota_su_occupante(s, i);
    return e;
  }
  if (w > 0) {
    c.tipo = tipo_cella::abbattimento;
    c.dato_1 = static_cast<int16_t>(w);
    se_troncato(s, riga.valore(1), "value", w, static_cast<int16_t>(w), "16 bits");
  } else {
    c.tipo = tipo_cella::abbattimento_senza_valore;
  }
  segna_origine_oggetto(s, i, riga.chiave());
  avviso_prima_dell_inizio(s, riga.valore(0), p, "code-reduction point",
                           "it is placed in cell 0, the route's first cell; write a position of 0 or more");
  avviso_oltre_fine(s, riga.valore(0), p, "code-reduction point");
  return passo::prosegui;
}

// The row of a keyword, by its kind's id.
passo esegui_riga(id_riga id, scenario& s, lettura_servizio& r) {
  switch (id) {
    case id_riga::massa_frenata: return riga_massa_frenata(s, r);
    case id_riga::vetture: return riga_vetture(s, r);
    case id_riga::velocita: return riga_velocita(s, r);
    case id_riga::aderenza: return riga_aderenza(s, r);
    case id_riga::orologio: return riga_orologio(s, r);
    case id_riga::sabbia: return riga_sabbia(s, r);
    case id_riga::segnale: return riga_segnale(s, r);
    case id_riga::rallentamento: return riga_rallentamento(s, r);
    case id_riga::abbattimento: return riga_abbattimento(s, r);
    case id_riga::stazione: return riga_stazione(s, r);
    default: return passo::prosegui;
  }
}

// Runs every row whose keyword the field holds, until one ends the read; a
// field that holds none is told about.
passo esegui(scenario& s, lettura_servizio& r, std::string_view campo) {
  bool trovata = false;
  for (const tipo_riga& k : tipi_riga(genere_testo::servizio)) {
    if (!riconosce(k, campo)) continue;
    trovata = true;
    if (passo e = esegui_riga(k.id, s, r); e != passo::prosegui) return e;
  }
  const vocabolario v{parole_chiave(genere_testo::servizio, ambito_riga::corpo),
                      intestazioni_testo(genere_testo::servizio)};
  if (!trovata) campo_sconosciuto(s, r.lettore, origine_errore::testo_servizio, campo, v);
  return passo::prosegui;
}

// Skips every field up to and including the first that holds "[generale]".
// Without one, nothing of the text is read: the author is told, at a header
// one slip away from it when there is one.
void apri(scenario& s, lettura_servizio& r) {
  std::string campo;
  luogo_testo quasi;
  std::string quasi_scritto;
  constexpr std::string_view kGenerale[] = {"[generale]"};
  while (!r.lettore.finito()) {
    r.lettore.leggi_testo(campo);
    if (contiene_nc(campo, "[generale]")) return;
    if (quasi.riga == 0 && intestazione(campo) && !suggerisci(forma_confrontabile(campo), kGenerale).empty()) {
      quasi = {origine_errore::testo_servizio, r.lettore.ultimo().riga, r.lettore.ultimo().colonna};
      quasi_scritto = campo;
    }
  }
  if (quasi.riga > 0) {
    registra_avviso(s, genere_avviso::generale_assente, quasi,
                    "expected [generale], found '" + quasi_scritto + "': no row of the service description is read");
    return;
  }
  registra_avviso(s, genere_avviso::generale_assente, luogo_testo{origine_errore::testo_servizio, 0, 0},
                  "expected [generale]: the service description has none, so none of its rows is read");
}

// The next field to test: a field holding "-" is a comment and the next one
// takes its place, twice at most. False when the read reached the end: the
// last field of the text is never tested.
bool prossima_parola(lettura_servizio& r, std::string& campo) {
  if (!prossima_chiave(r.lettore, campo)) return false;
  r.chiave = {origine_errore::testo_servizio, r.lettore.ultimo().riga, r.lettore.ultimo().colonna};
  return true;
}

// The chainage entries 81 to 83 must start and end on a multiple of 50.
bool progressive_valide(const scenario& s) {
  for (int i = kOggettoProgressivaTre; i < kOggettoProgressivaTre + 3; ++i) {
    const oggetto& o = s.tabella[static_cast<size_t>(i)];
    if (o.inizio % 50 != 0 || o.fine % 50 != 0) return false;
  }
  return true;
}

// Code 2, at the chainage row of the line text that holds the value.
void progressive_non_valide(scenario& s) {
  const tracce_compile& t = s.tracce;
  if (t.progressiva_non_multipla.riga == 0) {
    registra_codice(s, kProgressivaNonMultipla, luogo_testo{origine_errore::testo_linea, 0, 0}, "");
    return;
  }
  registra_codice(s, kProgressivaNonMultipla, t.progressiva_non_multipla,
                  "chainage value " + std::to_string(t.valore_progressiva) + " is not a multiple of 50");
}

// What the author is told about the whole run at its end: a clock that
// starts after the first station's time, a run with no station.
void avvisi_finali(scenario& s, const lettura_servizio& r) {
  if (r.orologio_letto && r.orologio_valido && r.primo_orario >= 0 && piu_tardi(r.orologio, r.primo_orario)) {
    registra_avviso(s, genere_avviso::orologio_in_ritardo, r.luogo_orologio,
                    "the clock starts at " + ore_minuti_secondi(r.orologio) + ", after the first station's time " +
                        ore_minuti_secondi(r.primo_orario) + ": the train departs before the run begins");
    registra_nota(s, r.luogo_primo_orario, "the first station's time");
  }
  if (s.tracce.righe.stazioni == 0 && r.errori_ripresi == 0) {
    registra_nota(s, luogo_testo{origine_errore::testo_servizio, 0, 0}, "the service has no 'stazione' row",
                  genere_avviso::testo_senza);
  }
}

// The end of the read: tail fills, then the chainage check.
esito_fase_servizio fine_lettura(scenario& s, lettura_servizio& r) {
  if (completa_profili(s, r) != passo::prosegui) return esito_fase_servizio::lettura_fallita;
  if (!progressive_valide(s)) progressive_non_valide(s);
  avvisi_finali(s, r);
  avvisi_di_collocazione(s, r);
  return esito_fase_servizio::completa;
}

}  // namespace

esito_fase_servizio fase_servizio(scenario& s, std::string_view testo, modo_errori modo) {
  lettura_servizio r(testo);
  apri(s, r);
  std::string campo;
  while (prossima_parola(r, campo)) {
    passo e = esegui(s, r, campo);
    if (e == passo::prosegui) continue;
    if (modo == modo_errori::riprendi) {
      // The code stays among the diagnostics; no later row stops on it.
      s.codice_errore = kNessunErrore;
      s.posizione_errore = 0;
      ++r.errori_ripresi;
      r.righe_lasciate.insert(r.chiave.riga);
      riprendi_alla_riga_seguente(r.lettore, r.chiave.riga);
      continue;
    }
    segna_interruzione(s);
    if (e == passo::fine_percorso) break;
    if (e == passo::fermata) return esito_fase_servizio::fermata;
    if (e == passo::lettura_fallita) return esito_fase_servizio::lettura_fallita;
  }
  return fine_lettura(s, r);
}

}  // namespace sb
