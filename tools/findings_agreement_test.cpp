// One analysis of an author's texts: check on standard error, view's page
// data and the language server's publish tell the same findings, in the same
// order and words; a timetable finding is told in the same run as mistakes
// elsewhere; the picture draws nothing a failed row left behind.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "compile/exit_status.h"
#include "lsp/language_server.h"
#include "render/plan_svg.h"
#include "scene/text_compile.h"
#include "test_support/tool_runs.h"
#include "tools/command_table.h"

namespace sb {
namespace {

using json = nlohmann::json;

// One finding as the three tell it: the file's name, the level, the words.
struct rilievo {
  std::string file;
  std::string livello;
  std::string messaggio;

  bool operator==(const rilievo&) const = default;
};

std::ostream& operator<<(std::ostream& o, const rilievo& r) {
  return o << r.file << " " << r.livello << ": " << r.messaggio;
}

// "FILE[:LINE[:COLUMN]]: LEVEL: MESSAGE" taken apart; false for any other line.
bool prima_riga(const std::string& riga, rilievo& r) {
  static const std::regex forma(R"(^([^ :]+)(:[0-9]+)?(:[0-9]+)?: (error|warning|note): (.*)$)");
  std::smatch m;
  if (!std::regex_match(riga, m, forma)) return false;
  r = {m[1].str(), m[4].str(), m[5].str()};
  return true;
}

// The first lines of the diagnostics on standard error, in order (source
// lines and carets left out).
std::vector<std::string> prime_righe(const std::string& err) {
  std::vector<std::string> righe;
  std::istringstream in(err);
  rilievo r;
  for (std::string riga; std::getline(in, riga);) {
    if (prima_riga(riga, r)) righe.push_back(riga);
  }
  return righe;
}

// The findings by the file of the entry they belong to, each entry followed
// by its notes: the order a language server publishes them in, one list a
// file.
std::map<std::string, std::vector<rilievo>> per_file(const std::vector<std::string>& righe) {
  std::map<std::string, std::vector<rilievo>> out;
  std::string file;
  for (const std::string& riga : righe) {
    rilievo r;
    prima_riga(riga, r);
    if (r.livello != "note" || file.empty()) file = r.file;
    out[file].push_back(r);
  }
  return out;
}

// The name at the end of a path or URI.
std::string nome_file(const std::string& file) { return file.substr(file.rfind('/') + 1); }

// What the language server publishes on opening the service with the line on
// disk beside it, by file, each diagnostic followed by its related notes.
std::map<std::string, std::vector<rilievo>> pubblicati(const std::string& cartella, const std::string& servizio) {
  stato_server s;
  gestisci_messaggio(s, R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})");
  const json apri = {{"jsonrpc", "2.0"},
                     {"method", "textDocument/didOpen"},
                     {"params",
                      {{"textDocument",
                        {{"uri", "file://" + cartella + "/VALLE_7-.txt"},
                         {"languageId", "scenario"},
                         {"version", 1},
                         {"text", servizio}}}}}};
  const char* livelli[] = {"", "error", "warning", "note"};
  std::map<std::string, std::vector<rilievo>> out;
  for (const std::string& m : gestisci_messaggio(s, apri.dump())) {
    const json j = json::parse(m);
    if (j.value("method", "") != "textDocument/publishDiagnostics") continue;
    std::vector<rilievo>& lista = out[nome_file(j["params"]["uri"])];
    for (const json& d : j["params"]["diagnostics"]) {
      lista.push_back({nome_file(j["params"]["uri"]), livelli[d["severity"].get<int>()], d["message"]});
      if (!d.contains("relatedInformation")) continue;
      for (const json& n : d["relatedInformation"]) {
        lista.push_back({nome_file(n["location"]["uri"]), "note", n["message"]});
      }
    }
  }
  for (auto k = out.begin(); k != out.end();) k = k->second.empty() ? out.erase(k) : std::next(k);
  return out;
}

// The page's data: the scene's JSON in the page, its diagnostics' texts.
std::vector<std::string> diagnostiche_pagina(const std::string& pagina) {
  const std::string apre = R"(<script type="application/json" id="scene">)";
  const size_t a = pagina.find(apre);
  const size_t b = pagina.find("</script>", a);
  if (a == std::string::npos || b == std::string::npos) return {};
  const json scena = json::parse(pagina.substr(a + apre.size(), b - a - apre.size()));
  std::vector<std::string> testi;
  for (const json& d : scena["diagnostics"]) testi.push_back(d["text"]);
  return testi;
}

// Every occurrence of a folder's path and its slash taken out.
std::string senza_cartella(std::string s, const std::string& cartella) {
  for (size_t i = s.find(cartella + "/"); i != std::string::npos; i = s.find(cartella + "/", i)) {
    s.erase(i, cartella.size() + 1);
  }
  return s;
}

// A mistaken pair: rows of the sample line and run replaced (1-based), and
// whether the timetable finding is told.
struct testi_sbagliati {
  const char* nome;
  std::map<size_t, std::string> linea;
  std::map<size_t, std::string> servizio;
  const char* orario;  // the start of the timetable finding told; empty: none
};

// The sample run's last station, 6 km after the one before, at a time given.
std::string cortemara(const char* ore_minuti_secondi) {
  return std::string("stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, ") + ore_minuti_secondi + ", Cortemara";
}

const testi_sbagliati kTesti[] = {
    {"an impossible leg and a bad number in the line", {{19, "pendenza,  7000,  1x"}}, {{16, cortemara("7, 24, 0")}},
     "VALLE_7-.txt:16:62: error: from Lago Serino to Cortemara (6.0 km between the stations' positions) the timetable gives 1 min 30 s; the train "
     "needs at least"},
    {"an impossible leg, an unknown keyword and a rounded speed", {},
     {{11, "velcita,  4000,  80"}, {12, "velocita,  9000,  122"}, {16, cortemara("7, 24, 0")}},
     "VALLE_7-.txt:16:62: error: from Lago Serino to Cortemara (6.0 km between the stations' positions)"},
    {"a thin margin and a curve keyword without a digit", {{13, "curvas,  5000,  900"}},
     {{16, cortemara("7, 27, 45")}}, "VALLE_7-.txt:16:63: warning: from Lago Serino to Cortemara (6.0 km between the stations' positions)"},
    {"error 15 on a station row past the cells", {},
     {{16, "stazione, 32500, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara"}}, ""},
    {"an impossible leg past an error on the route: not trusted", {},
     {{21, "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0"}, {16, cortemara("7, 24, 0")}}, ""},
};

TEST(UnaAnalisi, CheckThePageAndTheLanguageServerTellTheSameFindings) {
  for (const testi_sbagliati& c : kTesti) {
    SCOPED_TRACE(c.nome);
    prova::cartella_prova dir;
    ASSERT_TRUE(dir.ok());
    std::vector<std::string> linea = prova::linea_esempio();
    std::vector<std::string> servizio = prova::servizio_esempio();
    for (const auto& [riga, testo] : c.linea) linea[riga - 1] = testo;
    for (const auto& [riga, testo] : c.servizio) servizio[riga - 1] = testo;
    const std::string file_linea = dir / "VALLE_linea.txt", file_servizio = dir / "VALLE_7-.txt";
    prova::scrivi(file_linea, prova::righe_crlf(linea));
    prova::scrivi(file_servizio, prova::righe_crlf(servizio));
    const std::vector<std::string> testi = {"--line", file_linea, "--service", file_servizio};

    std::ostringstream out, err;
    std::vector<std::string> a = {"check"};
    a.insert(a.end(), testi.begin(), testi.end());
    EXPECT_EQ(esegui_strumento(a, out, err), kUscitaCodice);
    const std::string detto = senza_cartella(err.str(), dir.cartella());
    const std::vector<std::string> righe = prime_righe(detto);
    ASSERT_FALSE(righe.empty());
    bool orario = false;
    for (const std::string& r : righe) orario |= *c.orario != '\0' && r.rfind(c.orario, 0) == 0;
    EXPECT_EQ(orario, *c.orario != '\0') << detto;
    EXPECT_EQ(detto.find("the train needs at least") != std::string::npos ||
                  detto.find("below the recovery margin") != std::string::npos,
              *c.orario != '\0')
        << detto;

    // view: the same on standard error, and in the page's data.
    std::ostringstream vout, verr;
    a = {"view"};
    a.insert(a.end(), testi.begin(), testi.end());
    a.insert(a.end(), {"--html", dir / "p.html"});
    EXPECT_LT(esegui_strumento(a, vout, verr), kUscitaFile);
    EXPECT_EQ(senza_cartella(verr.str(), dir.cartella()), detto);
    std::vector<std::string> pagina;
    for (const std::string& t : diagnostiche_pagina(prova::leggi(dir / "p.html"))) {
      pagina.push_back(senza_cartella(t, dir.cartella()));
    }
    EXPECT_EQ(pagina, righe);

    // The language server: the same by file, with the line on disk.
    EXPECT_EQ(pubblicati(dir.cartella(), prova::righe_crlf(servizio)), per_file(righe));
  }
}

// The picture of texts where a station row failed past the cells: the
// stations read and nothing else, the run within the route's cells, and the
// error marked at its metre with the legend's entry.
TEST(UnaAnalisi, ThePictureDrawsOnlyWhatWasRead) {
  prova::cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[15] = "stazione, 32500, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara";
  prova::scrivi(dir / "l.txt", prova::righe_crlf(prova::linea_esempio()));
  prova::scrivi(dir / "s.txt", prova::righe_crlf(servizio));
  opzioni_compile o;
  o.linea = dir / "l.txt";
  o.servizio = dir / "s.txt";
  testi_compilati t;
  std::ostringstream err;
  ASSERT_TRUE(compila_per_vista(o, t, err));
  const scena s = scena_compilata(t);
  std::vector<int64_t> stazioni;
  for (const elemento_scena& e : s.elementi) {
    if (e.genere == genere_elemento::stazione) stazioni.push_back(e.punto);
  }
  EXPECT_EQ(stazioni.size(), 2u);
  for (int64_t p : stazioni) EXPECT_LT(p, 12000);
  ASSERT_FALSE(s.marcia.punti.empty());
  EXPECT_LE(s.marcia.punti.back().metro, 19000);
  const std::string svg = disegna_pianta(s);
  EXPECT_NE(svg.find("error or timetable finding where it points"), std::string::npos);
  EXPECT_NE(svg.find("s.txt:16:11: error: error 15: "), std::string::npos);
}

// A timetable finding stands at its leg: its metre is the later station's,
// on the page and in the picture with the legend's entry.
TEST(UnaAnalisi, ATimetableFindingIsMarkedAtItsLeg) {
  prova::cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[15] = cortemara("7, 24, 0");
  prova::scrivi(dir / "l.txt", prova::righe_crlf(prova::linea_esempio()));
  prova::scrivi(dir / "s.txt", prova::righe_crlf(servizio));
  opzioni_compile o;
  o.linea = dir / "l.txt";
  o.servizio = dir / "s.txt";
  testi_compilati t;
  std::ostringstream err;
  ASSERT_TRUE(compila_per_vista(o, t, err));
  const scena s = scena_compilata(t);
  ASSERT_FALSE(s.diagnostiche.empty());
  EXPECT_EQ(s.diagnostiche.front().metro, 11000);
  EXPECT_EQ(s.diagnostiche.front().etichetta, "error");
  const std::string svg = disegna_pianta(s);
  EXPECT_NE(svg.find("error or timetable finding where it points"), std::string::npos);
  EXPECT_NE(svg.find("<g class=\"fault\"><title>"), std::string::npos);
}

}  // namespace
}  // namespace sb
