// Benchmarks of the compile in memory: the built-in scenario and the largest
// line the format takes, each with the encoding of its files (the plan is
// encoded as the line compile computes it).
#include <benchmark/benchmark.h>

#include <string>

#include "builtin/builtin_scenario.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/compile.h"
#include "documents/line_list.h"
#include "test_support/largest_line_fixture.h"

namespace sb {
namespace {

// The built-in scenario's request over its two texts.
richiesta_compile richiesta_di(const std::string& linea, const std::string* servizio, int32_t flag) {
  richiesta_compile r;
  r.testo_linea = linea;
  if (servizio != nullptr) r.testo_servizio = *servizio;
  r.nome_linea = kNomeLinea;
  r.numero_treno = kNumeroTreno;
  r.flag_griglia = flag;
  return r;
}

// The whole compile of the built-in scenario and its three files' bytes.
void BM_ScenarioInMemoria(benchmark::State& stato) {
  const std::string linea = componi_documento(righe_linea());
  const std::string servizio = componi_documento(righe_treno());
  for (auto _ : stato) {
    risultato_compile r = compila(richiesta_di(linea, &servizio, 1));
    file_binari f = codifica_binari(r.s);
    if (r.s.codice_errore != 0) stato.SkipWithError("the built-in scenario recorded a code");
    benchmark::DoNotOptimize(f.griglia.data());
    benchmark::DoNotOptimize(f.celle.data());
  }
}
BENCHMARK(BM_ScenarioInMemoria)->Unit(benchmark::kMillisecond);

// The largest line with a small service, with the build flag 1 and 0.
void BM_LineaMassima(benchmark::State& stato) {
  const std::string testo = prova::linea_massima();
  const std::string servizio = "[generale]\r\n[fine]\r\n";
  const int32_t flag = static_cast<int32_t>(stato.range(0));
  for (auto _ : stato) {
    risultato_compile r = compila(richiesta_di(testo, &servizio, flag));
    if (r.s.codice_errore != 0) stato.SkipWithError("the largest line recorded a code");
    file_binari f = codifica_binari(r.s);
    benchmark::DoNotOptimize(f.griglia.data());
  }
  stato.SetBytesProcessed(static_cast<int64_t>(stato.iterations()) * static_cast<int64_t>(testo.size()));
}
BENCHMARK(BM_LineaMassima)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb

BENCHMARK_MAIN();
