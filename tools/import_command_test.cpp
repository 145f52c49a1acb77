#include "tools/import_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "compile/exit_status.h"
#include "test_support/tool_runs.h"
#include "tools/command_table.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::esecuzione;

const std::string kLiechtenstein = std::string(SB_SOURCE_DIR) + "/osm_import/testdata/liechtenstein_railway.osm";

class Importa : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.ok()); }
  esecuzione importa(std::vector<std::string> extra) {
    std::vector<std::string> a = {"import", "osm", kLiechtenstein, "--out", dir_ / "out"};
    a.insert(a.end(), extra.begin(), extra.end());
    return prova::esegui_strumento_esterno(dir_, a);
  }
  cartella_prova dir_;
};

// The two texts, named after the line and the train, compile with
// "compile" without a code; the output tells the route and the plan.
TEST_F(Importa, WritesTwoTextsThatCompile) {
  const esecuzione e = importa({"--from", "Schaan-Vaduz", "--to", "Tisis", "--train", "4711"});
  ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
  const std::string linea = dir_ / "out/SCHAAN-VADUZ_linea.txt";
  const std::string servizio = dir_ / "out/SCHAAN-VADUZ_4711-.txt";
  EXPECT_TRUE(e.out.ends_with(linea + "\n" + servizio + "\n")) << e.out;
  EXPECT_EQ(e.out.rfind("route: ", 0), 0u) << e.out;
  EXPECT_NE(e.out.find("the compiled plan departs from the track by "), std::string::npos);
  const esecuzione c = prova::esegui_strumento_esterno(
      dir_, {"check", "--line", linea, "--service", servizio});
  EXPECT_EQ(c.stato, kUscitaPulita) << c.err << c.out;
}

// An error writes nothing, not even the folder's texts; texts already there
// are kept without --force.
TEST_F(Importa, NothingWrittenOnAnErrorOrOverTexts) {
  esecuzione e = importa({"--from", "Schaan-Vaduz", "--to", "Tisiss"});
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.err, "scenario_tool import osm: no station named 'Tisiss' in the file; did you mean 'Tisis'?\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out/SCHAAN-VADUZ_linea.txt"));
  ASSERT_EQ(importa({"--from", "Schaan-Vaduz", "--to", "Tisis"}).stato, kUscitaPulita);
  e = importa({"--from", "Schaan-Vaduz", "--to", "Tisis"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_NE(e.err.find("File exists (--force replaces it)"), std::string::npos);
  EXPECT_EQ(importa({"--from", "Schaan-Vaduz", "--to", "Tisis", "--force"}).stato, kUscitaPulita);
}

// The command line: what is missing or wrong is a usage error; --via may
// be given several times, in order.
TEST(ImportaRiga, UsageErrorsAndRepeatedVia) {
  struct caso {
    std::vector<std::string> argomenti;
    std::string errore;
  };
  const caso casi[] = {
      {{"import"}, "the source is 'osm': import osm FILE"},
      {{"import", "gpx", "f"}, "the source is 'osm': import osm FILE"},
      {{"import", "osm"}, "import osm needs the OSM file"},
      {{"import", "osm", "f", "--from", "a", "--to", "b"}, "--out DIR is required"},
      {{"import", "osm", "f", "--to", "b", "--out", "d"}, "--from PLACE and --to PLACE are required"},
      {{"import", "osm", "f", "--from", "a", "--to", "b", "--out", "d", "--train", "1_2"},
       "--train must be a plain name without '_'"},
      {{"import", "osm", "f", "--from", "a", "--from", "b"}, "option '--from' given twice"},
  };
  for (const caso& c : casi) {
    std::ostringstream out, err;
    EXPECT_EQ(esegui_strumento(c.argomenti, out, err), kUscitaUso) << c.errore;
    EXPECT_EQ(err.str().substr(0, err.str().find('\n')), "scenario_tool import: " + c.errore);
  }
  const riga_comando r = analizza({"--via", "a", "--via=b", "--via", "c"}, voce_import().opzioni, 2);
  EXPECT_EQ(r.errore, "");
  EXPECT_EQ(r.tutti("--via"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(nome_linea_da_luogo("Z\xC3\xBCrich HB"), "ZURICH-HB");
  EXPECT_EQ(nome_linea_da_luogo("47.1,9.5"), "47-1-9-5");
}

}  // namespace
}  // namespace sb
