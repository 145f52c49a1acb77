// The builder executable's command line: help, version and wrong arguments
// end before anything is written beside the program.
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace sb {
namespace {

namespace fs = std::filesystem;

// A copy of the builder alone in a scratch directory, and a second directory
// for what it prints.
class builder_isolato : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string modello = (fs::temp_directory_path() / "sb_main_test_XXXXXX").string();
    ASSERT_NE(mkdtemp(modello.data()), nullptr);
    radice_ = modello;
    fs::create_directory(radice_ / "bin");
    fs::copy_file(SB_SCENARIO_BUILDER, radice_ / "bin" / "scenario_builder");
  }
  void TearDown() override { fs::remove_all(radice_); }

  // Runs the builder with the argument (already quoted for the shell) and no
  // display; returns its exit status.
  int esegui(const std::string& argomenti) {
    const std::string comando = "env -u DISPLAY '" + (radice_ / "bin" / "scenario_builder").string() + "' " +
                                argomenti + " >'" + (radice_ / "out").string() + "' 2>'" +
                                (radice_ / "err").string() + "'";
    const int s = std::system(comando.c_str());
    return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  }

  std::string leggi(const char* nome) const {
    std::ifstream in(radice_ / nome, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // The names beside the builder.
  std::string accanto() const {
    std::string nomi;
    for (const fs::directory_entry& e : fs::directory_iterator(radice_ / "bin")) {
      nomi += e.path().filename().string() + " ";
    }
    return nomi;
  }

  fs::path radice_;
};

TEST_F(builder_isolato, HelpVersionAndWrongArgumentsWriteNothing) {
  struct caso {
    const char* argomenti;
    int stato;
    const char* inizio_out;
    const char* inizio_err;
  };
  const caso casi[] = {
      {"--help", 0, "usage: scenario_builder\n", ""},
      {"--version", 0, "scenario_builder 1.0\n", ""},
      {"--out /tmp", 2, "", "scenario_builder: takes no arguments, was given '--out'\n"},
      {"''", 2, "", "scenario_builder: takes no arguments, was given ''\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.argomenti);
    EXPECT_EQ(esegui(c.argomenti), c.stato);
    EXPECT_EQ(leggi("out").rfind(c.inizio_out, 0), 0u) << leggi("out");
    EXPECT_EQ(leggi("err").rfind(c.inizio_err, 0), 0u) << leggi("err");
    EXPECT_EQ(accanto(), "scenario_builder ");
  }
}

TEST_F(builder_isolato, NoArgumentsWriteTheSixFiles) {
  EXPECT_EQ(esegui(""), 0) << leggi("err");
  EXPECT_EQ(leggi("out"), "Attendere\n");
  for (const char* nome : {"BORVALE_linea.dat", "BORVALE_40617.sim", "BORVALE_40617.dat",
                           "BORVALE_40617_scheda_treno.txt", "BORVALE_40617_rallentamenti.txt",
                           "BORVALE_40617_note.txt"}) {
    EXPECT_TRUE(fs::exists(radice_ / "bin" / nome)) << nome;
  }
}

}  // namespace
}  // namespace sb
