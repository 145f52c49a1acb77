// scenario_tool new: the scenario it writes checks clean, times with a
// margin and draws, whatever its names; texts already there are kept.
#include "tools/new_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "compile/exit_status.h"
#include "test_support/tool_runs.h"
#include "tools/command_table.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::leggi;

// One run of the tool in this process.
struct esito {
  int stato = -1;
  std::string out;
  std::string err;
};

esito esegui(const std::vector<std::string>& argomenti) {
  std::ostringstream out, err;
  esito e;
  e.stato = esegui_strumento(argomenti, out, err);
  e.out = out.str();
  e.err = err.str();
  return e;
}

class Nuovo : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.ok()); }
  cartella_prova dir_;
};

TEST_F(Nuovo, WritesAScenarioThatChecksTimesAndDrawsClean) {
  struct caso {
    std::vector<std::string> argomenti;  // after "new"
    std::string linea, servizio;         // the files written, in --out
  };
  const caso casi[] = {
      {{"VALSECCA"}, "VALSECCA_linea.txt", "VALSECCA_1-.txt"},
      {{"Monte Bruno", "--train", "2101"}, "Monte Bruno_linea.txt", "Monte Bruno_2101-.txt"},
      {{"--train=88", "PIANA_ALTA"}, "PIANA_ALTA_linea.txt", "PIANA_ALTA_88-.txt"},
  };
  int k = 0;
  for (const caso& c : casi) {
    SCOPED_TRACE(c.linea);
    const std::string out = dir_ / ("s" + std::to_string(k++));
    std::vector<std::string> a = {"new", "--out", out};
    a.insert(a.end(), c.argomenti.begin(), c.argomenti.end());
    const esito n = esegui(a);
    ASSERT_EQ(n.stato, kUscitaPulita) << n.err;
    const std::string linea = out + "/" + c.linea;
    const std::string servizio = out + "/" + c.servizio;
    EXPECT_EQ(n.out, linea + "\n" + servizio + "\n");
    const std::vector<std::string> testi = {"--line", linea, "--service", servizio};
    auto con_testi = [&](std::vector<std::string> v) {
      v.insert(v.begin() + 1, testi.begin(), testi.end());
      return esegui(v);
    };
    const esito check = con_testi({"check"});
    EXPECT_EQ(check.stato, kUscitaPulita);
    EXPECT_EQ(check.err, "");
    EXPECT_EQ(check.out, "3 stations, 3 signals, 1 slowdown, 2 curves, 4 gradients, route 6000 m\n"
                         "codice_errore=0 posizione_errore=0\n");
    const esito timing = con_testi({"timing"});
    EXPECT_EQ(timing.stato, kUscitaPulita) << timing.err;
    EXPECT_EQ(timing.out.find(" -"), std::string::npos) << "every leg keeps a margin:\n" << timing.out;
    EXPECT_EQ(con_testi({"view", "--html", out + "/v.html"}).stato, kUscitaPulita);
    EXPECT_EQ(con_testi({"plan", "--svg", out + "/p.svg"}).stato, kUscitaPulita);
    EXPECT_TRUE(prova::esiste(out + "/v.html") && prova::esiste(out + "/p.svg"));
  }
}

// Every row of both texts has a remark line above it that says what it is.
TEST_F(Nuovo, EveryRowHasARemark) {
  ASSERT_EQ(esegui({"new", "VALSECCA", "--out", dir_ / "s"}).stato, kUscitaPulita);
  for (const std::string nome : {"VALSECCA_linea.txt", "VALSECCA_1-.txt"}) {
    std::istringstream in(leggi(dir_ / ("s/" + nome)));
    std::string riga, prima;
    bool corpo = false;
    while (std::getline(in, riga)) {
      if (!riga.empty() && riga.back() == '\r') riga.pop_back();
      const bool intestazione = !riga.empty() && riga.front() == '[';
      if (corpo && !intestazione && riga.find('-') == std::string::npos) {
        EXPECT_EQ(prima.substr(0, 2), "- ") << nome << ": " << riga;
      }
      corpo = corpo || riga == "[generale]";
      prima = riga;
    }
  }
}

TEST_F(Nuovo, KeepsTextsAlreadyThereAndRefusesBadNames) {
  const std::string out = dir_ / "s";
  ASSERT_EQ(esegui({"new", "VALSECCA", "--out", out}).stato, kUscitaPulita);
  prova::scrivi(out + "/VALSECCA_linea.txt", "my line");
  const esito e = esegui({"new", "VALSECCA", "--out", out});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, out + "/VALSECCA_linea.txt: File exists (--force replaces it)\n" + out +
                       "/VALSECCA_1-.txt: File exists (--force replaces it)\n");
  EXPECT_EQ(leggi(out + "/VALSECCA_linea.txt"), "my line");
  EXPECT_EQ(esegui({"new", "VALSECCA", "--force", "--out", out}).stato, kUscitaPulita);
  EXPECT_NE(leggi(out + "/VALSECCA_linea.txt"), "my line");
  const std::pair<std::vector<std::string>, std::string> usi[] = {
      {{"new", "--out", out}, "give the line's NAME"},
      {{"new", "VALSECCA"}, "--out DIR is required"},
      {{"new", "A/B", "--out", out}, "NAME must be a plain name"},
      {{"new", "VALSECCA", "--train", "1_2", "--out", out}, "--train must be a plain name without '_'"},
  };
  for (const auto& [argomenti, motivo] : usi) {
    const esito u = esegui(argomenti);
    EXPECT_EQ(u.stato, kUscitaUso);
    EXPECT_EQ(u.err, "scenario_tool new: " + motivo + "\nTry 'scenario_tool new --help'.\n");
  }
}

}  // namespace
}  // namespace sb
