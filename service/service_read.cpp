#include "service/service_read.h"

#include <cstdio>

#include "scenario/cell_occupant.h"
#include "scenario/error_codes.h"
#include "scenario/format.h"

namespace sb {

lettura_riga riga_di(scenario& s, lettura_servizio& r, id_riga id) {
  return lettura_riga(s, r.lettore, origine_errore::testo_servizio, tipo_di(id));
}

passo ferma(scenario& s, int32_t codice, const luogo_testo& dove, std::string messaggio) {
  registra_codice(s, codice, dove, std::move(messaggio));
  return passo::fermata;
}

passo ferma_in(scenario& s, int32_t codice, const luogo_testo& dove, int32_t posizione, std::string messaggio) {
  registra_codice(s, codice, dove, posizione, std::move(messaggio));
  return passo::fermata;
}

passo fallita(scenario& s, const luogo_testo& dove, std::string messaggio) {
  registra_codice(s, kLetturaFallita, dove, std::move(messaggio));
  return passo::lettura_fallita;
}

passo fuori_percorso(scenario& s, const luogo_testo& dove, int32_t posizione, std::string messaggio) {
  registra_codice(s, kFuoriPercorso, dove, posizione, std::move(messaggio));
  return passo::fine_percorso;
}

passo verifica_percorso(scenario& s, const lettura_riga& riga, int32_t p, int32_t margine) {
  int32_t somma = 0;
  if (__builtin_add_overflow(p, margine, &somma)) {
    return fallita(s, riga.valore(0),
                   "position " + std::to_string(p) + " + " + std::to_string(margine) + " does not fit 32 bits");
  }
  if (static_cast<double>(ultima_cella(s)) >= static_cast<double>(somma) / static_cast<double>(kMetriCella)) return passo::prosegui;
  if (s.celle.empty()) return fuori_percorso(s, riga.valore(0), p, "the line has no cells: no row can be placed");
  return fuori_percorso(s, riga.valore(0), p, oltre_le_celle(s, p, margine));
}

bool avviso_ora(scenario& s, const lettura_riga& riga, size_t primo, std::string_view cosa, int32_t ore,
                int32_t minuti, int32_t secondi) {
  const bool ore_valide = ore >= 0 && ore <= 23;
  const bool minuti_validi = minuti >= 0 && minuti <= 59;
  if (ore_valide && minuti_validi && secondi >= 0 && secondi <= 59) return true;
  const size_t fuori = !ore_valide ? primo : !minuti_validi ? primo + 1 : primo + 2;
  const int64_t totale = (int64_t{ore} * 60 + minuti) * 60 + secondi;
  registra_avviso(s, genere_avviso::ora_non_valida, riga.valore(fuori),
                  std::string(cosa) + " " + std::to_string(ore) + " " + std::to_string(minuti) + " " +
                      std::to_string(secondi) +
                      " is not a time of day (hours 0..23, minutes and seconds 0..59): it is read as " +
                      ore_minuti_secondi(totale));
  return false;
}

bool piu_tardi(int32_t a, int32_t b) {
  constexpr int64_t kMezzaGiornata = 12 * 3600;
  const int64_t d = int64_t{a} - b;
  return d > 0 && d < kMezzaGiornata;
}

std::string ore_minuti_secondi(int64_t secondi) {
  char testo[48];
  const char* segno = secondi < 0 ? "-" : "";
  const int64_t v = secondi < 0 ? -secondi : secondi;
  std::snprintf(testo, sizeof testo, "%s%02lld:%02lld:%02lld", segno, static_cast<long long>(v / 3600),
                static_cast<long long>(v / 60 % 60), static_cast<long long>(v % 60));
  return testo;
}

}  // namespace sb
