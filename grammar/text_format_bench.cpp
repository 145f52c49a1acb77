// The formatter against the compile of the same text in the same run: the
// built-in line and service texts and the largest line, stirred so that most
// rows change. An editor formats on save; the check it runs after costs a
// compile.
#include <benchmark/benchmark.h>

#include <string>

#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/compile.h"
#include "documents/line_list.h"
#include "grammar/text_format.h"
#include "test_support/largest_line_fixture.h"

namespace sb {
namespace {

// The texts of a benchmark: 0 the built-in scenario, 1 the largest line with
// an empty service. Every comma gets a tab after it, so every row changes.
void testi(int64_t quale, std::string& linea, std::string& servizio) {
  linea = quale == 0 ? componi_documento(righe_linea()) : prova::linea_massima();
  servizio = quale == 0 ? componi_documento(righe_treno()) : std::string("[generale]\r\n[fine]\r\n");
  for (std::string* t : {&linea, &servizio}) {
    std::string mosso;
    for (char c : *t) mosso += c == ',' ? std::string(",\t") : std::string(1, c);
    *t = mosso;
  }
}

// Both texts formatted.
void BM_Formatta(benchmark::State& stato) {
  std::string linea, servizio;
  testi(stato.range(0), linea, servizio);
  for (auto _ : stato) {
    esito_formato l = formatta_testo(linea, genere_testo::linea);
    esito_formato s = formatta_testo(servizio, genere_testo::servizio);
    if (!l.cambiato) stato.SkipWithError("nothing changed");
    benchmark::DoNotOptimize(l.testo.data());
    benchmark::DoNotOptimize(s.testo.data());
  }
  stato.SetBytesProcessed(static_cast<int64_t>(stato.iterations() * (linea.size() + servizio.size())));
}
BENCHMARK(BM_Formatta)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The compile of the same texts without the plan, as check runs it.
void BM_Compila(benchmark::State& stato) {
  std::string linea, servizio;
  testi(stato.range(0), linea, servizio);
  for (auto _ : stato) {
    risultato_compile r = compila({linea, servizio, "BORVALE", "40617", 0});
    benchmark::DoNotOptimize(r.s.celle.data());
  }
}
BENCHMARK(BM_Compila)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb

BENCHMARK_MAIN();
