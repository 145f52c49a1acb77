#include "line/memo_montagna.h"

#include <limits>
#include <string>

#include "scenario/error_codes.h"
#include "scenario/format.h"

namespace sb {
namespace {

int64_t prima_cella(int32_t inizio) { return indice_confine(inizio); }

int64_t ultima_cella(int32_t fine) {
  return static_cast<int64_t>(nearest(static_cast<double>(fine) / static_cast<double>(kMetriCella) - 1.0));
}

}  // namespace

bool montagna_nelle_celle(int32_t inizio, int32_t fine, const celle_percorso& celle) {
  const int64_t prima = prima_cella(inizio);
  const int64_t ultima = ultima_cella(fine);
  if (prima > ultima) return true;
  return prima >= 0 && ultima < static_cast<int64_t>(celle.size());
}

void memo_montagna(scenario& s, stato_montagne& m, int32_t& inizio, int32_t& fine, int32_t& tipo) {
  if (m.numero_montagne >= kMassimoMontagne) {
    registra_codice(s, kTroppeMontagne, luogo_testo{}, inizio, "an 81st 'montagna' row: at most 80");
    return;
  }
  const bool segna = tipo > 10;
  if (segna) tipo -= 10;

  bool vicina = false;
  if (m.numero_montagne >= 1) {
    const int64_t distanza = int64_t{inizio} - m.fine_montagne[m.numero_montagne];
    if (distanza < std::numeric_limits<int32_t>::min() || distanza > std::numeric_limits<int32_t>::max()) {
      registra_codice(s, kLetturaFallita, luogo_testo{},
                      "the distance from the previous span's end, " + std::to_string(distanza) +
                          " m, does not fit 32 bits");
      return;
    }
    vicina = distanza <= kDistanzaVicina;
  }
  ++m.numero_montagne;
  m.inizio_montagne[m.numero_montagne] = inizio;
  m.fine_montagne[m.numero_montagne] = fine;
  if (vicina) tipo = 3;

  const int64_t prima = prima_cella(inizio);
  const int64_t ultima = ultima_cella(fine);
  if (prima > ultima || prima < 0 || ultima >= static_cast<int64_t>(s.celle.size())) return;
  const uint8_t tipo_cella = static_cast<uint8_t>(tipo & 0xFF);
  int64_t conta = 0;
  for (int64_t c = prima; c <= ultima; ++c) {
    cella& x = s.celle[static_cast<size_t>(c)];
    x.montagna = tipo_cella;
    ++conta;
    if (segna && conta % 4 == 0 && x.tipo == tipo_cella::libera) x.tipo = tipo_cella::segno_montagna;
  }
}

}  // namespace sb
