// No command writes over one of its inputs: an input at an output name, by
// its own path, a link or a hard link, is a usage error and nothing is
// written.
#include "tools/overwrite_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "compile/exit_status.h"
#include "test_support/borvale_texts.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

namespace fs = std::filesystem;
using prova::cartella_prova;
using prova::leggi;

// Every file under the folder with its bytes, sorted.
std::vector<std::pair<std::string, std::string>> contenuto(const std::string& cartella) {
  std::vector<std::pair<std::string, std::string>> c;
  for (const auto& e : fs::recursive_directory_iterator(cartella)) {
    c.emplace_back(e.path().string(), e.is_regular_file() ? leggi(e.path().string()) : "");
  }
  std::sort(c.begin(), c.end());
  return c;
}

TEST(IngressiIntatti, AnInputAtAnOutputNameIsAUsageErrorAndNothingIsWritten) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  const auto [linea, servizio] = prova::testi_borvale(dir);
  const std::string bin = dir / "bin";
  ASSERT_EQ(prova::esegui_strumento_esterno(dir, {"compile", "--line", linea, "--service", servizio, "--out", bin})
                .stato,
            kUscitaPulita);
  const std::string sim = bin + "/BORVALE_40617.sim", cells = bin + "/BORVALE_40617.dat";
  const std::string self = dir / "self";
  fs::create_directories(self);
  // The service text kept under the train sheet's name, the notes under the
  // notes' name, the line text behind a link at the plan's name, the object
  // table hard-linked at the picture's name, the cells at a text's name.
  fs::copy_file(servizio, self + "/X_1_scheda_treno.txt");
  fs::copy_file(servizio, self + "/BORVALE_40617_note.txt");
  fs::create_symlink(linea, self + "/BORVALE_linea.dat");
  fs::create_hard_link(sim, self + "/picture.svg");
  fs::copy_file(cells, self + "/BORVALE_40617-.txt");
  struct caso {
    std::vector<std::string> argomenti;
    std::string ingresso, uscita;
  } casi[] = {
      {{"compile", "--service", self + "/X_1_scheda_treno.txt", "--line-name", "X", "--train", "1", "--documents",
        "--out", self},
       self + "/X_1_scheda_treno.txt", self + "/X_1_scheda_treno.txt"},
      {{"documents", "--line", linea, "--service", servizio, "--notes", self + "/BORVALE_40617_note.txt", "--out",
        self},
       self + "/BORVALE_40617_note.txt", self + "/BORVALE_40617_note.txt"},
      {{"compile", "--line", linea, "--service", servizio, "--out", self}, linea, self + "/BORVALE_linea.dat"},
      {{"plan", "--sim", sim, "--svg", self + "/picture.svg"}, sim, self + "/picture.svg"},
      {{"view", "--line", linea, "--service", servizio, "--html", servizio}, servizio, servizio},
      {{"decompile", "--sim", sim, "--cells", self + "/BORVALE_40617-.txt", "--out", self, "--force"},
       self + "/BORVALE_40617-.txt", self + "/BORVALE_40617-.txt"},
  };
  const auto prima = contenuto(dir.cartella());
  for (const caso& c : casi) {
    SCOPED_TRACE(c.argomenti[0]);
    const prova::esecuzione e = prova::esegui_strumento_esterno(dir, c.argomenti);
    EXPECT_EQ(e.stato, kUscitaUso);
    EXPECT_EQ(e.err, "scenario_tool " + c.argomenti[0] + ": the output " + c.uscita + " is the input " +
                         c.ingresso + "; nothing written\nTry 'scenario_tool " + c.argomenti[0] + " --help'.\n");
    EXPECT_EQ(contenuto(dir.cartella()), prima);
  }
}

}  // namespace
}  // namespace sb
