// Benchmarks of decompile against the compile of the same scenario in the
// same run: the built-in scenario and the largest line, records in, texts and
// the round trip out. Decompile holds one compile of its own texts.
#include <benchmark/benchmark.h>

#include <string>

#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/compile.h"
#include "decompile/decompile.h"
#include "documents/line_list.h"
#include "test_support/largest_line_fixture.h"
#include "scenario/plan_encoding.h"

namespace sb {
namespace {

// The compile of the texts, with the plan.
risultato_compile compilato(const std::string& linea, const std::string& servizio) {
  return compila({linea, servizio, "BORVALE", "40617", 1});
}

// The texts of a benchmark: 0 the built-in scenario, 1 the largest line.
void testi(int64_t quale, std::string& linea, std::string& servizio) {
  linea = quale == 0 ? componi_documento(righe_linea()) : prova::linea_massima();
  servizio = quale == 0 ? componi_documento(righe_treno()) : std::string("[generale]\r\n[fine]\r\n");
}

// The compile and the encoding of its files: what decompile is measured against.
void BM_Compila(benchmark::State& stato) {
  std::string linea, servizio;
  testi(stato.range(0), linea, servizio);
  for (auto _ : stato) {
    risultato_compile r = compilato(linea, servizio);
    file_binari f = codifica_binari(r.s);
    benchmark::DoNotOptimize(f.griglia.data());
  }
}
BENCHMARK(BM_Compila)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Decompile of the files that compile wrote, with the round trip.
void BM_Decompila(benchmark::State& stato) {
  std::string linea, servizio;
  testi(stato.range(0), linea, servizio);
  const risultato_compile r = compilato(linea, servizio);
  const ingresso_decompile in{r.s.tabella, r.s.celle, punti_griglia(r.s.griglia), true, "BORVALE", "40617", {}};
  for (auto _ : stato) {
    esito_decompile e = decompila(in);
    if (!e.differenze.empty()) stato.SkipWithError("the round trip is not exact");
    benchmark::DoNotOptimize(e.testo_linea.data());
  }
}
BENCHMARK(BM_Decompila)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb

BENCHMARK_MAIN();
