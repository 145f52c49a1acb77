// Benchmarks of the compile: the built-in scenario in memory and through the
// whole driver with its files, and the largest line the format takes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

#include "app/compile_driver.h"
#include "app/startup.h"
#include "documents/line_list.h"
#include "line/largest_line_fixture.h"
#include "line/line_compiler.h"
#include "line/line_content.h"
#include "passes/signal_pass.h"
#include "passes/stamps.h"
#include "platform/files.h"
#include "scenario/binary_files.h"
#include "scenario/file_names.h"
#include "service/service_compiler.h"
#include "service/service_content.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

scenario nuovo_scenario(int32_t flag) {
  scenario s;
  s.nome_linea = kNomeLinea;
  s.numero_treno = kNumeroTreno;
  s.flag_griglia = flag;
  return s;
}

// Line and service phases, pass, stamps and the three encodings, all in
// memory: the compile without its files.
void BM_ScenarioInMemoria(benchmark::State& stato) {
  const std::string linea = componi_documento(righe_linea());
  const std::string servizio = componi_documento(righe_treno());
  for (auto _ : stato) {
    scenario s = nuovo_scenario(1);
    fase_linea(s, linea);
    fase_servizio(s, servizio);
    passaggio_segnali(s);
    timbra(s);
    std::string griglia = codifica_griglia(s.griglia);
    std::string tabella = codifica_tabella(s.tabella);
    std::string celle = codifica_celle(s.celle);
    if (s.codice_errore != 0) stato.SkipWithError("the built-in scenario recorded a code");
    benchmark::DoNotOptimize(griglia.data());
    benchmark::DoNotOptimize(tabella.data());
    benchmark::DoNotOptimize(celle.data());
  }
}
BENCHMARK(BM_ScenarioInMemoria)->Unit(benchmark::kMillisecond);

// A stream buffer that drops everything.
class buffer_nullo final : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
};

// memorizza_percorso in a private directory: reading the two texts, the
// compile, and writing the three binary files. Writing the texts beforehand
// is not timed.
void BM_MemorizzaPercorso(benchmark::State& stato) {
  std::string cartella = (fs::temp_directory_path() / "sb_bench_XXXXXX").string();
  if (::mkdtemp(cartella.data()) == nullptr) {
    stato.SkipWithError("no private directory");
    return;
  }
  buffer_nullo nullo;
  std::ostream flusso(&nullo);
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(flusso, flusso);
  for (auto _ : stato) {
    stato.PauseTiming();
    bool scritti = dati_linea(cartella, kNomeLinea).ok && dati_treno(cartella, kNomeLinea, kNumeroTreno).ok;
    stato.ResumeTiming();
    scenario s = nuovo_scenario(1);
    esito_build e = memorizza_percorso(s, 1, cartella, *ui);
    if (!scritti || e.fine != esito_build::tipo::completata || s.codice_errore != 0) {
      stato.SkipWithError("the build did not complete cleanly");
      break;
    }
  }
  std::error_code ignorato;
  fs::remove_all(cartella, ignorato);
}
BENCHMARK(BM_MemorizzaPercorso)->Unit(benchmark::kMillisecond);

// The line phase of the largest line, with the build flag 1 and 0.
void BM_LineaMassima(benchmark::State& stato) {
  const std::string testo = prova::linea_massima();
  const int32_t flag = static_cast<int32_t>(stato.range(0));
  for (auto _ : stato) {
    scenario s = nuovo_scenario(flag);
    fase_linea(s, testo);
    if (s.codice_errore != 0) stato.SkipWithError("the largest line recorded a code");
    benchmark::DoNotOptimize(s.celle.data());
  }
  stato.SetBytesProcessed(static_cast<int64_t>(stato.iterations()) * static_cast<int64_t>(testo.size()));
}
BENCHMARK(BM_LineaMassima)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Encoding the largest plan (20 MB) for its file.
void BM_CodificaGrigliaMassima(benchmark::State& stato) {
  scenario s = nuovo_scenario(1);
  fase_linea(s, prova::linea_massima());
  for (auto _ : stato) {
    std::string byte = codifica_griglia(s.griglia);
    benchmark::DoNotOptimize(byte.data());
  }
}
BENCHMARK(BM_CodificaGrigliaMassima)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb

BENCHMARK_MAIN();
