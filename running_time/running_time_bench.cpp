// Benchmarks of the fastest run: the built-in scenario from its compiled
// records to its legs and cells, a run over the whole of the largest line
// the format takes, and the floor such a run stands on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "builtin/builtin_scenario.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "documents/line_list.h"
#include "test_support/largest_line_fixture.h"
#include "running_time/running_time.h"
#include "test_support/document_scenario.h"

namespace sb {
namespace {

// The built-in scenario: track from the cells, fastest run, legs, cells.
void BM_MarciaIncorporata(benchmark::State& stato) {
  const scenario s = prova::compila_in_memoria(componi_documento(righe_linea()), componi_documento(righe_treno()));
  const profilo_treno p;
  for (auto _ : stato) {
    const risultato_marcia r = tempi_di_marcia(s, p);
    if (r.esito != esito_corsa::completa) stato.SkipWithError("the built-in run did not complete");
    benchmark::DoNotOptimize(r.campioni.data());
  }
}
BENCHMARK(BM_MarciaIncorporata)->Unit(benchmark::kMillisecond);

// A service for the largest line: its speed limit changes every 10 km. The
// line's signs take every entry a station could, so the stations, a stop
// every 25 km, are added to the track.
std::string servizio_linea_massima() {
  std::string t = "[generale]\r\nnumero vetture, 4\r\naderenza, 0, 100\r\n";
  const int velocita[] = {90, 120, 140, 100};
  for (int k = 0; k < 100; ++k) {
    t += "velocita, " + std::to_string(10000 * k) + ", " + std::to_string(velocita[k % 4]) + "\r\n";
  }
  return t + "[fine]\r\n";
}

// The largest line, 1 000 000 m with a gradient row every 100 m, run from
// end to end: track from the cells, fastest run, legs.
void BM_MarciaLineaMassima(benchmark::State& stato) {
  const scenario s = prova::compila_in_memoria(prova::linea_massima(), servizio_linea_massima());
  const treno t = risolvi_treno(profilo_treno{}, 4);
  for (auto _ : stato) {
    percorso_marcia p = percorso_da_scenario(s);
    for (int64_t x = 0; x <= prova::kLunghezza; x += 25000) {
      stazione_marcia st;
      st.posizione = x;
      st.ferma = true;
      st.sosta_s = 30;
      st.con_orario = true;
      p.stazioni.push_back(st);
    }
    const corsa c = corsa_piu_veloce(p, t);
    if (c.esito != esito_corsa::completa) stato.SkipWithError("the largest line's run did not complete");
    const std::vector<tratta_orario> tratte = tratte_di(p, c);
    benchmark::DoNotOptimize(tratte.data());
  }
}
BENCHMARK(BM_MarciaLineaMassima)->Unit(benchmark::kMillisecond);

// The floor a run over 1 000 000 m stands on: per metre one acceleration
// that depends on the speed (the lower of a constant and a power over the
// speed), the squared speed moved by it under a cap, its square root and
// the step's time, each metre waiting on the one before as the run does.
void BM_PavimentoMetri(benchmark::State& stato) {
  const double tetto = 40.0 * 40.0;
  for (auto _ : stato) {
    double w = 0.0, v = 0.0, tempo = 0.0;
    for (int64_t x = 0; x < prova::kLunghezza; ++x) {
      const double w1 = std::min(tetto, w + 2.0 * std::min(0.9, 8.0 / (v + 1e-9)));
      const double v1 = std::sqrt(w1);
      tempo += 2.0 / (v + v1 + 1e-9);
      w = w1;
      v = v1;
    }
    benchmark::DoNotOptimize(tempo);
  }
}
BENCHMARK(BM_PavimentoMetri)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb

BENCHMARK_MAIN();
