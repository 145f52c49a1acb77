#include "service/station_row.h"

#include <cmath>
#include <limits>

#include "scenario/error_codes.h"

namespace sb {
namespace {

// A real value as a 32-bit integer, rounded halves to even; false when it
// does not fit.
bool arrotonda_32(double x, int32_t& r) {
  double n = nearest(x);
  if (!(n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max())) return false;
  r = static_cast<int32_t>(n);
  return true;
}

// Whether the station stops: its stop point is marked in the cells.
bool con_fermata(uint8_t tipo) { return tipo < 25; }

// Types 5 and 6 reach 150 m past the position, 7 and 8 a whole length.
bool tipo_5_6(uint8_t tipo) { return tipo == 5 || tipo == 6; }
bool tipo_7_8(uint8_t tipo) { return tipo == 7 || tipo == 8; }

// Values 4 to 17 of the row, stored into the entry as they are read.
passo leggi_valori(scenario& s, lettura_servizio& r, oggetto& e) {
  if (!leggi(r, e.opzione_1) || !leggi(r, e.opzione_5) || !leggi(r, e.opzione_4) || !leggi(r, e.param_1) ||
      !leggi(r, e.param_2) || !leggi(r, e.opzione_2) || !leggi(r, e.param_3) || !leggi(r, e.param_4) ||
      !leggi(r, e.param_5) || !leggi(r, e.opzione_3)) {
    return lettura_non_riuscita(s, r);
  }
  int32_t ore = 0, minuti = 0, secondi = 0;
  if (!leggi(r, ore) || !leggi(r, minuti) || !leggi(r, secondi)) return lettura_non_riuscita(s, r);
  int32_t orario = 0;
  if (__builtin_mul_overflow(ore, 60, &orario) || __builtin_add_overflow(orario, minuti, &orario) ||
      __builtin_mul_overflow(orario, 60, &orario) || __builtin_add_overflow(orario, secondi, &orario)) {
    return fallita(s, r.lettore.riga());
  }
  e.orario = orario;
  if (r.lettore.leggi_testo(e.nome) != esito_lettura::letto) return lettura_non_riuscita(s, r);
  s.riga_voce[static_cast<size_t>(r.stazione)] = r.lettore.riga();
  return passo::prosegui;
}

// a + b into campo; false, leaving campo as it was, on overflow.
bool somma_in(int32_t a, int32_t b, int32_t& campo) {
  int32_t x = 0;
  if (__builtin_add_overflow(a, b, &x)) return false;
  campo = x;
  return true;
}

// a - b into campo; false, leaving campo as it was, on overflow.
bool differenza_in(int32_t a, int32_t b, int32_t& campo) {
  int32_t x = 0;
  if (__builtin_sub_overflow(a, b, &x)) return false;
  campo = x;
  return true;
}

// The station's extent from its position P and length S, stored step by
// step: an overflow stops there and leaves the later fields as they were.
passo estensione(scenario& s, const lettura_servizio& r, oggetto& e, int32_t lunghezza) {
  const int32_t p = e.posizione;
  bool ok = true;
  if (tipo_5_6(e.tipo)) {
    ok = somma_in(p, 150, e.fine) && differenza_in(p, lunghezza, e.inizio);
    if (ok) e.opzione_4 = 0;
  } else if (tipo_7_8(e.tipo)) {
    ok = differenza_in(p, lunghezza, e.inizio) && somma_in(p, lunghezza, e.fine);
    if (ok) e.opzione_4 = 0;
  } else {
    double meta = static_cast<double>(lunghezza) / 2.0;
    ok = arrotonda_32(static_cast<double>(p) - meta, e.inizio) && arrotonda_32(static_cast<double>(p) + meta, e.fine) &&
         (e.opzione_4 == 0 || somma_in(e.fine, 50, e.fine));
  }
  return ok ? passo::prosegui : fallita(s, r.riga_chiave);
}

// fine / 50 - 1: where the stop point falls, as a real cell index.
double punto_fermata(const oggetto& e) { return static_cast<double>(e.fine) / 50.0 - 1.0; }

// Whether the stop cell (and so the approach marks below it) exists.
bool fermata_nel_percorso(const scenario& s, const oggetto& e) {
  if (!con_fermata(e.tipo) || punto_fermata(e) <= 1.0) return true;
  return nearest(punto_fermata(e)) <= static_cast<double>(ultima_cella(s));
}

// Approach marks 81 to 84 in the four cells before the stop point, where
// they fall above cell 1.
void segna_preavvisi(scenario& s, const oggetto& e) {
  if (!con_fermata(e.tipo) || tipo_5_6(e.tipo)) return;
  for (int j = 1; j <= 4; ++j) {
    double x = punto_fermata(e) - j;
    if (x > 1.0) s.celle[static_cast<size_t>(nearest(x))].preavviso = static_cast<uint8_t>(80 + j);
  }
}

// The stop point: the cell takes the station's entry, whatever it held.
passo segna_fermata(scenario& s, const lettura_servizio& r, const oggetto& e) {
  if (!con_fermata(e.tipo)) return passo::prosegui;
  if (punto_fermata(e) <= 1.0) return ferma(s, r, kFermataIniziale);
  cella& c = s.celle[static_cast<size_t>(nearest(punto_fermata(e)))];
  c.tipo = tipo_cella::fermata;
  c.dato_1 = static_cast<int16_t>(r.stazione);
  return passo::prosegui;
}

// Each station's extent begins at least 350 m after the previous one's ends.
passo verifica_distanza(scenario& s, const lettura_servizio& r, const oggetto& e) {
  if (r.stazione == 1) return passo::prosegui;
  int32_t margine = 0;
  if (__builtin_sub_overflow(e.inizio, 350, &margine)) return fallita(s, r.riga_chiave);
  if (margine < s.tabella[static_cast<size_t>(r.stazione - 1)].fine) {
    return ferma_in(s, r, kStazioniVicine, e.posizione);
  }
  return passo::prosegui;
}

// Values 1 to 3: position and type into the entry, and the length.
passo leggi_testa(scenario& s, lettura_servizio& r, oggetto& e, int32_t& lunghezza) {
  if (!leggi(r, e.posizione)) return lettura_non_riuscita(s, r);
  if (passo v = verifica_percorso(s, r, e.posizione, 800); v != passo::prosegui) return v;
  if (e.posizione % 50 != 0) return ferma_in(s, r, kStazioneNonMultipla, e.posizione);
  if (!leggi(r, e.tipo) || !leggi(r, lunghezza)) return lettura_non_riuscita(s, r);
  if (lunghezza % 100 != 0) return ferma_in(s, r, kLunghezzaStazione, e.posizione);
  return passo::prosegui;
}

}  // namespace

passo riga_stazione(scenario& s, lettura_servizio& r) {
  // Entries above limite_stazioni hold sign captions; 81 up hold settings.
  if (r.stazione > s.limite_stazioni || r.stazione >= kOggettoProgressivaTre) return ferma(s, r, kStazioniEsaurite);
  oggetto& e = s.tabella[static_cast<size_t>(r.stazione)];
  int32_t lunghezza = 0;
  if (passo v = leggi_testa(s, r, e, lunghezza); v != passo::prosegui) return v;
  if (passo v = leggi_valori(s, r, e); v != passo::prosegui) return v;
  if (passo v = estensione(s, r, e, lunghezza); v != passo::prosegui) return v;
  if (lunghezza < 600) e.opzione_5 = 0;
  if (r.stazione == 1) {
    e.opzione_4 = 0;
    e.opzione_5 = 0;
  }
  if (!fermata_nel_percorso(s, e)) return fuori_percorso(s, r, e.posizione);
  segna_preavvisi(s, e);
  if (passo v = segna_fermata(s, r, e); v != passo::prosegui) return v;
  if (passo v = verifica_distanza(s, r, e); v != passo::prosegui) return v;
  ++r.stazione;
  if (r.stazione >= s.limite_stazioni) return ferma(s, r, kStazioniEsaurite);
  return passo::prosegui;
}

}  // namespace sb
