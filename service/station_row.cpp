#include "service/station_row.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "scenario/cell_occupant.h"
#include "scenario/error_codes.h"
#include "scenario/format.h"

namespace sb {
namespace {

// Values 14 to 16 of a station row, the hours.
constexpr size_t kValoreOre = 13;

// A real value as a 32-bit integer, rounded halves to even; false when it
// does not fit.
bool arrotonda_32(double x, int32_t& r) {
  double n = nearest(x);
  if (!(n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max())) return false;
  r = static_cast<int32_t>(n);
  return true;
}

// Whether the station stops: its stop point is marked in the cells.
bool con_fermata(uint8_t tipo) { return tipo < kTipoTransito; }

// Types 5 and 6 reach 150 m past the position, 7 and 8 a whole length.
bool tipo_5_6(uint8_t tipo) { return tipo == 5 || tipo == 6; }
bool tipo_7_8(uint8_t tipo) { return tipo == 7 || tipo == 8; }

// Values 4 to 17 of the row, stored into the entry as they are read.
passo leggi_valori(scenario& s, lettura_riga& riga, oggetto& e, bool& ora_valida) {
  if (!riga.leggi(e.opzione_1, "opzione_1") || !riga.leggi(e.opzione_5, "opzione_5") ||
      !riga.leggi(e.opzione_4, "opzione_4") || !riga.leggi(e.param_1, "param_1") ||
      !riga.leggi(e.param_2, "param_2") || !riga.leggi(e.opzione_2, "opzione_2") ||
      !riga.leggi(e.param_3, "param_3") || !riga.leggi(e.param_4, "param_4") ||
      !riga.leggi(e.param_5, "param_5") || !riga.leggi(e.opzione_3, "opzione_3")) {
    return passo::lettura_fallita;
  }
  int32_t ore = 0, minuti = 0, secondi = 0;
  if (!riga.leggi(ore, "hours") || !riga.leggi(minuti, "minutes") || !riga.leggi(secondi, "seconds")) {
    return passo::lettura_fallita;
  }
  int32_t orario = 0;
  if (__builtin_mul_overflow(ore, 60, &orario) || __builtin_add_overflow(orario, minuti, &orario) ||
      __builtin_mul_overflow(orario, 60, &orario) || __builtin_add_overflow(orario, secondi, &orario)) {
    return fallita(s, riga.valore(kValoreOre), "the time in seconds does not fit 32 bits");
  }
  e.orario = orario;
  if (!riga.leggi_testo(e.nome, "name", "put the name in double quotes to keep its comma")) {
    return passo::lettura_fallita;
  }
  riga.chiudi();
  ora_valida = avviso_ora(s, riga, kValoreOre, "the time", ore, minuti, secondi);
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
passo estensione(scenario& s, const lettura_riga& riga, oggetto& e, int32_t lunghezza) {
  const int32_t p = e.posizione;
  bool ok = true;
  if (tipo_5_6(e.tipo)) {
    ok = somma_in(p, kCodaFermataBreve, e.fine) && differenza_in(p, lunghezza, e.inizio);
    if (ok) e.opzione_4 = 0;
  } else if (tipo_7_8(e.tipo)) {
    ok = differenza_in(p, lunghezza, e.inizio) && somma_in(p, lunghezza, e.fine);
    if (ok) e.opzione_4 = 0;
  } else {
    double meta = static_cast<double>(lunghezza) / 2.0;
    ok = arrotonda_32(static_cast<double>(p) - meta, e.inizio) && arrotonda_32(static_cast<double>(p) + meta, e.fine) &&
         (e.opzione_4 == 0 || somma_in(e.fine, 50, e.fine));
  }
  if (ok) return passo::prosegui;
  return fallita(s, riga.valore(2), "the station's extent from its position and length does not fit 32 bits");
}

// fine / 50 - 1: where the stop point falls, as a real cell index.
double punto_fermata(const oggetto& e) { return static_cast<double>(e.fine) / static_cast<double>(kMetriCella) - 1.0; }

// Whether the stop cell (and so the approach marks below it) exists.
bool fermata_nel_percorso(const scenario& s, const oggetto& e) {
  if (!con_fermata(e.tipo) || punto_fermata(e) <= 1.0) return true;
  return nearest(punto_fermata(e)) <= static_cast<double>(ultima_cella(s));
}

// The cells of the approach marks 81 to 84 before the stop point, where they
// fall above cell 1; -1 where they do not.
std::array<int64_t, 4> celle_preavviso(const oggetto& e) {
  std::array<int64_t, 4> celle{-1, -1, -1, -1};
  if (!con_fermata(e.tipo) || tipo_5_6(e.tipo)) return celle;
  for (int j = 1; j <= 4; ++j) {
    double x = punto_fermata(e) - j;
    if (x > 1.0) celle[static_cast<size_t>(j - 1)] = static_cast<int64_t>(nearest(x));
  }
  return celle;
}

// What the station's marks will overwrite: an item in the stop cell, an
// approach mark of another row in the cells before it.
struct sovrascritti {
  int64_t fermata = -1;
  std::string cosa_fermata;  // what the stop cell held
  int64_t preavviso = -1;
  origine_cella origine_fermata;
  origine_cella origine_preavviso;
};

sovrascritti da_sovrascrivere(const scenario& s, const oggetto& e) {
  sovrascritti v;
  if (!con_fermata(e.tipo) || punto_fermata(e) <= 1.0) return v;
  const int64_t i = static_cast<int64_t>(nearest(punto_fermata(e)));
  if (!cella_libera(s.celle[static_cast<size_t>(i)])) {
    v.fermata = i;
    v.cosa_fermata = occupante_cella(s, i);
  }
  for (int64_t c : celle_preavviso(e)) {
    if (c < 0 || v.preavviso >= 0 || s.celle[static_cast<size_t>(c)].preavviso == 0) continue;
    v.preavviso = c;
  }
  v.origine_fermata = origine_di(s, v.fermata);
  v.origine_preavviso = origine_di(s, v.preavviso);
  return v;
}

// Approach marks 81 to 84 in the four cells before the stop point, where
// they fall above cell 1.
void segna_preavvisi(scenario& s, const lettura_riga& riga, const oggetto& e) {
  const std::array<int64_t, 4> celle = celle_preavviso(e);
  for (size_t j = 0; j < celle.size(); ++j) {
    if (celle[j] < 0) continue;
    s.celle[static_cast<size_t>(celle[j])].preavviso = static_cast<uint8_t>(81 + j);
    segna_origine_preavviso(s, celle[j], riga.chiave());
  }
}

// The stop point: the cell takes the station's entry, whatever it held.
passo segna_fermata(scenario& s, const lettura_servizio& r, const lettura_riga& riga, const oggetto& e) {
  if (!con_fermata(e.tipo)) return passo::prosegui;
  if (punto_fermata(e) <= 1.0) {
    return ferma(s, kFermataIniziale, riga.valore(0),
                 chi(e) + ": its extent ends at " + std::to_string(e.fine) +
                     " m, so its stop point would fall in cell 1 or below; it must end beyond 100 m");
  }
  const int64_t i = static_cast<int64_t>(nearest(punto_fermata(e)));
  cella& c = s.celle[static_cast<size_t>(i)];
  c.tipo = tipo_cella::fermata;
  c.dato_1 = static_cast<int16_t>(r.stazione);
  segna_origine_oggetto(s, i, riga.chiave());
  return passo::prosegui;
}

// Each station's extent begins at least 350 m after the previous one's ends.
passo verifica_distanza(scenario& s, const lettura_servizio& r, const lettura_riga& riga, const oggetto& e) {
  if (r.stazione == 1) return passo::prosegui;
  int32_t margine = 0;
  if (__builtin_sub_overflow(e.inizio, 350, &margine)) {
    return fallita(s, riga.valore(0), "the station's extent start - 350 does not fit 32 bits");
  }
  const oggetto& prima = s.tabella[static_cast<size_t>(r.stazione - 1)];
  if (margine >= prima.fine) return passo::prosegui;
  if (e.posizione <= prima.posizione) {
    return ferma_in(s, kStazioniVicine, riga.valore(0), e.posizione,
                    "station at " + std::to_string(e.posizione) + " m comes after " + chi(prima) + " at " +
                        std::to_string(prima.posizione) + " m: stations go in route order");
  }
  return ferma_in(s, kStazioniVicine, riga.valore(0), e.posizione,
                  "station at " + std::to_string(e.posizione) + " m starts at " + std::to_string(e.inizio) +
                      " m, less than 350 m after " + chi(prima) + " ends at " + std::to_string(prima.fine) + " m");
}

// Values 1 to 3: position and type into the entry, and the length.
passo leggi_testa(scenario& s, lettura_riga& riga, oggetto& e, int32_t& lunghezza) {
  if (!riga.leggi(e.posizione, "position")) return passo::lettura_fallita;
  if (passo v = verifica_percorso(s, riga, e.posizione, 800); v != passo::prosegui) return v;
  if (e.posizione % 50 != 0) {
    return ferma_in(s, kStazioneNonMultipla, riga.valore(0), e.posizione,
                    "station position " + std::to_string(e.posizione) + " is not a multiple of 50");
  }
  if (!riga.leggi(e.tipo, "station type") || !riga.leggi(lunghezza, "length")) return passo::lettura_fallita;
  if (lunghezza % 100 != 0) {
    return ferma_in(s, kLunghezzaStazione, riga.valore(2), e.posizione,
                    "station length " + std::to_string(lunghezza) + " is not a multiple of 100");
  }
  return passo::prosegui;
}

// What the author is told about a station that was placed: the items and
// marks it overwrote, and a time earlier than the one before.
void avvisi_stazione(scenario& s, lettura_servizio& r, const lettura_riga& riga, const oggetto& e,
                     const sovrascritti& v, bool ora_valida) {
  if (v.fermata >= 0 && !da_riga_lasciata(r, v.origine_fermata.oggetto)) {
    registra_avviso(s, genere_avviso::sovrascrittura, riga.valore(0),
                    "the stop point of " + chi(e) + " overwrites " + v.cosa_fermata + " in " +
                        cella_e_metro(v.fermata));
    if (v.origine_fermata.oggetto.riga > 0) {
      registra_nota(s, v.origine_fermata.oggetto, "the overwritten item comes from this row");
    }
  }
  if (v.preavviso >= 0 && !da_riga_lasciata(r, v.origine_preavviso.preavviso)) {
    registra_avviso(s, genere_avviso::sovrascrittura, riga.valore(0),
                    "the approach marks of " + chi(e) + " overwrite an approach mark in " +
                        cella_e_metro(v.preavviso));
    if (v.origine_preavviso.preavviso.riga > 0) {
      registra_nota(s, v.origine_preavviso.preavviso, "the overwritten approach mark comes from this row");
    }
  }
  if (e.orario == 0) return;
  const luogo_testo dove = riga.valore(kValoreOre);
  if (r.orario_precedente >= 0 && r.orario_precedente_valido && ora_valida &&
      piu_tardi(r.orario_precedente, e.orario)) {
    registra_avviso(s, genere_avviso::orari_indietro, dove,
                    "the time " + ore_minuti_secondi(e.orario) + " of " + chi(e) + " is earlier than " +
                        ore_minuti_secondi(r.orario_precedente) + " at the station before");
    registra_nota(s, r.luogo_orario_precedente, "the time before");
  }
  if (r.primo_orario < 0) {
    r.primo_orario = e.orario;
    r.luogo_primo_orario = dove;
  }
  r.orario_precedente = e.orario;
  r.luogo_orario_precedente = dove;
  r.orario_precedente_valido = ora_valida;
}

}  // namespace

std::string chi(const oggetto& e) {
  if (!e.nome.empty()) return "station '" + e.nome + "'";
  return "the station at " + std::to_string(e.posizione) + " m";
}

passo riga_stazione(scenario& s, lettura_servizio& r) {
  // Entries above limite_stazioni hold sign captions; 81 up hold settings.
  lettura_riga riga = riga_di(s, r, id_riga::stazione);
  if (r.stazione > s.limite_stazioni || r.stazione >= kOggettoProgressivaTre) {
    return ferma(s, kStazioniEsaurite, riga.chiave(), "no entry left for another station");
  }
  oggetto& e = s.tabella[static_cast<size_t>(r.stazione)];
  int32_t lunghezza = 0;
  if (passo v = leggi_testa(s, riga, e, lunghezza); v != passo::prosegui) return v;
  bool ora_valida = true;
  if (passo v = leggi_valori(s, riga, e, ora_valida); v != passo::prosegui) return v;
  s.luogo_voce[static_cast<size_t>(r.stazione)] = riga.testo_letto();
  if (passo v = estensione(s, riga, e, lunghezza); v != passo::prosegui) return v;
  if (lunghezza < 600) e.opzione_5 = 0;
  if (r.stazione == 1) {
    e.opzione_4 = 0;
    e.opzione_5 = 0;
  }
  if (!fermata_nel_percorso(s, e)) {
    return fuori_percorso(s, riga.valore(0), e.posizione, "the stop point of " + chi(e) + " falls beyond the route");
  }
  const sovrascritti v = da_sovrascrivere(s, e);
  segna_preavvisi(s, riga, e);
  if (passo p = segna_fermata(s, r, riga, e); p != passo::prosegui) return p;
  if (passo p = verifica_distanza(s, r, riga, e); p != passo::prosegui) return p;
  avvisi_stazione(s, r, riga, e, v, ora_valida);
  avviso_oltre_fine(s, riga.valore(0), e.posizione, chi(e));
  avviso_prima_dell_inizio(s, riga.valore(0), e.posizione, chi(e),
                           "it is kept, with its extent from " + std::to_string(e.inizio) + " m to " +
                               std::to_string(e.fine) + " m; write a position of 0 or more");
  ++s.tracce.righe.stazioni;
  ++r.stazione;
  if (r.stazione >= s.limite_stazioni) {
    const int32_t segni = kPrimoCartello - s.limite_stazioni;
    return ferma(s, kStazioniEsaurite, riga.chiave(),
                 "no entry left after station " + std::to_string(r.stazione - 1) + ": with " +
                     std::to_string(segni) + " sign boards a run holds at most " +
                     std::to_string(s.limite_stazioni - 2) + " stations");
  }
  return passo::prosegui;
}

}  // namespace sb
