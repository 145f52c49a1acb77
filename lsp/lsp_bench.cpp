// The language server's latency as an author types: a scripted run of edits
// (a letter typed into a row, then taken out again), each timed from the
// change to the diagnostics published, on the built-in scenario and on the
// largest line; then hover and completion. The compile of the same texts,
// timed the same way, is the floor: the server publishes after one compile.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "author/author_texts.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "documents/line_list.h"
#include "test_support/largest_line_fixture.h"
#include "lsp/language_server.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

using json = nlohmann::json;

constexpr int kModifiche = 1000;

std::optional<std::string> nessun_file(const std::string&) { return std::nullopt; }

// Milliseconds each call of f takes, `volte` times.
std::vector<double> tempi(int volte, const std::function<void(int)>& f) {
  std::vector<double> t;
  for (int i = 0; i < volte; ++i) {
    const auto a = std::chrono::steady_clock::now();
    f(i);
    t.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
  }
  return t;
}

double percentile(std::vector<double> t, double p) {
  std::sort(t.begin(), t.end());
  return t[std::min(t.size() - 1, static_cast<size_t>(p * static_cast<double>(t.size())))];
}

void riporta(benchmark::State& stato, const std::vector<double>& t, const std::vector<double>& base) {
  stato.counters["median_ms"] = percentile(t, 0.5);
  stato.counters["p99_ms"] = percentile(t, 0.99);
  if (!base.empty()) stato.counters["ratio_to_compile"] = percentile(t, 0.5) / percentile(base, 0.5);
}

std::string messaggio(const char* metodo, json params) {
  return json{{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(params)}}.dump();
}

// A server with the two texts open (the line first).
stato_server apri(const std::string& linea, const std::string& servizio) {
  stato_server s;
  s.opzioni.leggi = nessun_file;
  gestisci_messaggio(s, R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})");
  for (const auto& [uri, t] :
       {std::pair{"file:///b/BORVALE_linea.txt", linea}, {"file:///b/BORVALE_40617-.txt", servizio}}) {
    gestisci_messaggio(s, messaggio("textDocument/didOpen",
                                    {{"textDocument", {{"uri", uri}, {"version", 1}, {"text", cp1252_in_utf8(t)}}}}));
  }
  return s;
}

// Edits at a place of a text: a letter typed, then taken out.
void modifiche(benchmark::State& stato, const std::string& linea, const std::string& servizio, const char* uri,
               int riga, int carattere) {
  for (auto _ : stato) {
    stato_server s = apri(linea, servizio);
    const std::vector<double> t = tempi(kModifiche, [&](int i) {
      json c = {{"range", {{"start", {{"line", riga}, {"character", carattere}}},
                           {"end", {{"line", riga}, {"character", carattere + (i % 2)}}}}},
                {"text", i % 2 == 0 ? "x" : ""}};
      const std::vector<std::string> u = gestisci_messaggio(
          s, messaggio("textDocument/didChange",
                       {{"textDocument", {{"uri", uri}, {"version", i + 2}}}, {"contentChanges", json::array({c})}}));
      benchmark::DoNotOptimize(u.data());
    });
    const std::vector<double> base = tempi(kModifiche / 10, [&](int) {
      opzioni_compile o;
      o.linea = "BORVALE_linea.txt";
      o.servizio = "BORVALE_40617-.txt";
      analisi_testi c = analizza_testi(o, testo_autore{o.linea, linea, ""}, testo_autore{o.servizio, servizio, ""});
      benchmark::DoNotOptimize(c.diagnostiche.data());
    });
    riporta(stato, t, base);
  }
}

// The built-in scenario: a letter typed into a station's name.
void BM_DiagnosticheScenario(benchmark::State& stato) {
  modifiche(stato, componi_documento(righe_linea()), componi_documento(righe_treno()), "file:///b/BORVALE_40617-.txt",
            30, 20);
}
BENCHMARK(BM_DiagnosticheScenario)->Iterations(1)->Unit(benchmark::kMillisecond);

// The largest line: a letter typed into a gradient row near its middle.
void BM_DiagnosticheLineaMassima(benchmark::State& stato) {
  modifiche(stato, prova::linea_massima(), "[generale]\r\n[fine]\r\n", "file:///b/BORVALE_linea.txt", 9000, 3);
}
BENCHMARK(BM_DiagnosticheLineaMassima)->Iterations(1)->Unit(benchmark::kMillisecond);

// Hover and completion on the built-in run and on the largest line.
void richieste(benchmark::State& stato, const char* metodo) {
  const bool massima = stato.range(0) == 1;
  const std::string linea = massima ? prova::linea_massima() : componi_documento(righe_linea());
  const char* uri = massima ? "file:///b/BORVALE_linea.txt" : "file:///b/BORVALE_40617-.txt";
  const int riga = massima ? 9000 : 30;
  for (auto _ : stato) {
    stato_server s = apri(linea, componi_documento(righe_treno()));
    const std::vector<double> t = tempi(kModifiche, [&](int i) {
      const json r = {{"jsonrpc", "2.0"}, {"id", i + 1}, {"method", metodo},
                      {"params",
                       {{"textDocument", {{"uri", uri}}}, {"position", {{"line", riga}, {"character", i % 12}}}}}};
      const std::vector<std::string> u = gestisci_messaggio(s, r.dump());
      benchmark::DoNotOptimize(u.data());
    });
    riporta(stato, t, {});
  }
}

void BM_Hover(benchmark::State& stato) { richieste(stato, "textDocument/hover"); }
BENCHMARK(BM_Hover)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Completamento(benchmark::State& stato) { richieste(stato, "textDocument/completion"); }
BENCHMARK(BM_Completamento)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb

BENCHMARK_MAIN();
