#include "service/service_compiler.h"

#include <string>

#include "scenario/error_codes.h"
#include "service/memo_rallentamento.h"
#include "service/memo_segnale.h"
#include "service/profile_fill.h"
#include "service/service_read.h"
#include "service/station_row.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

passo riga_massa_frenata(scenario& s, lettura_servizio& r) {
  if (!leggi(r, s.tabella[kOggettoGenerale].inizio)) return lettura_non_riuscita(s, r);
  return passo::prosegui;
}

passo riga_vetture(scenario& s, lettura_servizio& r) {
  if (!leggi(r, s.tabella[kOggettoGenerale].posizione)) return lettura_non_riuscita(s, r);
  return passo::prosegui;
}

passo riga_orologio(scenario& s, lettura_servizio& r) {
  oggetto& treno = s.tabella[kOggettoTreno];
  if (!leggi(r, treno.param_3) || !leggi(r, treno.param_4) || !leggi(r, treno.param_5)) {
    return lettura_non_riuscita(s, r);
  }
  return passo::prosegui;
}

passo riga_sabbia(scenario& s, lettura_servizio& r) {
  if (!leggi(r, s.tabella[kOggettoTreno].param_1)) return lettura_non_riuscita(s, r);
  return passo::prosegui;
}

passo riga_velocita(scenario& s, lettura_servizio& r) {
  int32_t p = 0, v = 0;
  if (!leggi(r, p) || !leggi(r, v)) return lettura_non_riuscita(s, r);
  if (passo e = verifica_percorso(s, r, p, 100); e != passo::prosegui) return e;
  return riempi_velocita(s, r, p, v);
}

passo riga_aderenza(scenario& s, lettura_servizio& r) {
  int32_t p = 0, a = 0;
  if (!leggi(r, p) || !leggi(r, a)) return lettura_non_riuscita(s, r);
  if (passo e = verifica_percorso(s, r, p, 100); e != passo::prosegui) return e;
  riempi_aderenza(s, r, p, a);
  return passo::prosegui;
}

// After a recorder: any code above 0 stops the read, one left pending by the
// line phase included, with the row's position.
// A code the recorder recorded (its entry is the last since `prima`) is given
// the row; a code still set from earlier is recorded again at this row.
passo dopo_registrazione(scenario& s, const lettura_servizio& r, int32_t posizione, size_t prima) {
  if (s.codice_errore <= 0) return passo::prosegui;
  if (s.diagnostiche.size() == prima) return ferma_in(s, r, s.codice_errore, posizione);
  s.posizione_errore = posizione;
  attribuisci_ultimo_codice(s, origine_errore::testo_servizio, r.riga_chiave);
  return passo::fermata;
}

passo riga_segnale(scenario& s, lettura_servizio& r) {
  int32_t p = 0;
  valori_segnale v;
  if (!leggi(r, p) || !leggi(r, v.sx) || !leggi(r, v.s1) || !leggi(r, v.s2) || !leggi(r, v.s3) ||
      !leggi(r, v.rapp) || !leggi(r, v.dx) || !leggi(r, v.d1) || !leggi(r, v.d2) || !leggi(r, v.d3) ||
      !leggi(r, v.tempo)) {
    return lettura_non_riuscita(s, r);
  }
  if (passo e = verifica_percorso(s, r, p, 100); e != passo::prosegui) return e;
  if (!segnale_nel_percorso(s, p)) return fuori_percorso(s, r, p);
  const size_t prima = s.diagnostiche.size();
  if (!memo_segnale(s, p, v)) return fallita(s, r.riga_chiave);
  return dopo_registrazione(s, r, p, prima);
}

passo riga_rallentamento(scenario& s, lettura_servizio& r) {
  int32_t p = 0;
  valori_rallentamento v;
  if (!leggi(r, p) || !leggi(r, v.v) || !leggi(r, v.l) || !leggi(r, v.f_tt) || !leggi(r, v.f_ta) ||
      !leggi(r, v.d_v)) {
    return lettura_non_riuscita(s, r);
  }
  if (passo e = verifica_percorso(s, r, p, 100); e != passo::prosegui) return e;
  celle_rallentamento c;
  if (!celle_di_rallentamento(p, v, c)) return fallita(s, r.riga_chiave);
  if (!rallentamento_nel_percorso(s, c)) return fuori_percorso(s, r, p);
  const size_t prima = s.diagnostiche.size();
  memo_rallentamento(s, c, v);
  return dopo_registrazione(s, r, p, prima);
}

// A code-reduction point in cell nearest(p / 50), with its value when above 0.
passo riga_abbattimento(scenario& s, lettura_servizio& r) {
  int32_t p = 0, w = 0;
  if (!leggi(r, p) || !leggi(r, w)) return lettura_non_riuscita(s, r);
  if (passo e = verifica_percorso(s, r, p, 100); e != passo::prosegui) return e;
  int64_t i = indice_confine(p);
  if (!cella_esiste(s, i)) return fuori_percorso(s, r, p);
  cella& c = s.celle[static_cast<size_t>(i)];
  if (!cella_libera(c)) return ferma_in(s, r, kAbbattimentoOccupato, p);
  if (w > 0) {
    c.tipo = tipo_cella::abbattimento;
    c.dato_1 = static_cast<int16_t>(w);
  } else {
    c.tipo = tipo_cella::abbattimento_senza_valore;
  }
  return passo::prosegui;
}

// One keyword: its recognition and its row.
struct parola_chiave {
  bool (*riconosce)(std::string_view campo);
  passo (*riga)(scenario& s, lettura_servizio& r);
};

// The keywords in the order they are tested; each test is independent.
constexpr parola_chiave kParole[] = {
    {[](std::string_view c) { return contiene_nc(c, "frenata") && contiene_nc(c, "massa"); }, riga_massa_frenata},
    {[](std::string_view c) { return contiene_nc(c, "vetture"); }, riga_vetture},
    {[](std::string_view c) { return contiene_nc(c, "velocit"); }, riga_velocita},
    {[](std::string_view c) { return contiene_nc(c, "aderenza"); }, riga_aderenza},
    {[](std::string_view c) { return contiene_nc(c, "orologio"); }, riga_orologio},
    {[](std::string_view c) { return contiene_nc(c, "sabbia"); }, riga_sabbia},
    {[](std::string_view c) { return contiene_nc(c, "segnale"); }, riga_segnale},
    {[](std::string_view c) { return contiene_nc(c, "rallentamento"); }, riga_rallentamento},
    {[](std::string_view c) { return contiene_nc(c, "abbattimento"); }, riga_abbattimento},
    {[](std::string_view c) { return contiene_nc(c, "stazione"); }, riga_stazione},
};

// Runs every row whose keyword the field holds, until one ends the read.
passo esegui(scenario& s, lettura_servizio& r, std::string_view campo) {
  for (const parola_chiave& k : kParole) {
    if (!k.riconosce(campo)) continue;
    if (passo e = k.riga(s, r); e != passo::prosegui) return e;
  }
  return passo::prosegui;
}

// Skips every field up to and including the first that holds "[generale]".
void apri(lettura_servizio& r) {
  std::string campo;
  while (!r.lettore.finito()) {
    r.lettore.leggi_testo(campo);
    if (contiene_nc(campo, "[generale]")) return;
  }
}

// The next field to test: a field holding "-" is a comment and the next one
// takes its place, twice at most. False when the read reached the end: the
// last field of the text is never tested.
bool prossima_parola(lettura_servizio& r, std::string& campo) {
  if (!prossima_chiave(r.lettore, campo)) return false;
  r.riga_chiave = r.lettore.riga();
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

// The end of the read: tail fills, then the chainage check.
esito_fase_servizio fine_lettura(scenario& s, lettura_servizio& r) {
  if (completa_profili(s, r) != passo::prosegui) return esito_fase_servizio::lettura_fallita;
  if (!progressive_valide(s)) {
    registra_codice(s, kProgressivaNonMultipla, origine_errore::testo_servizio, 0);
  }
  return esito_fase_servizio::completa;
}

}  // namespace

esito_fase_servizio fase_servizio(scenario& s, std::string_view testo) {
  lettura_servizio r(testo);
  apri(r);
  std::string campo;
  while (prossima_parola(r, campo)) {
    passo e = esegui(s, r, campo);
    if (e == passo::fine_percorso) break;
    if (e == passo::fermata) return esito_fase_servizio::fermata;
    if (e == passo::lettura_fallita) return esito_fase_servizio::lettura_fallita;
  }
  return fine_lettura(s, r);
}

}  // namespace sb
