// The tool's command line: did-you-mean for commands and options, --help and
// --version on every subcommand, a value that is an option refused.
#include "tools/command_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "compile/exit_status.h"

namespace sb {
namespace {

struct esito_riga {
  int stato;
  std::string out;
  std::string err;
};

esito_riga esegui(const std::vector<std::string>& a) {
  std::ostringstream out, err;
  const int stato = esegui_strumento(a, out, err);
  return {stato, out.str(), err.str()};
}

TEST(RigaDiComando, MistakesGetTheNearestNameAndOneHint) {
  struct caso {
    std::vector<std::string> argomenti;
    std::string err;
  };
  const caso casi[] = {
      {{"compil"}, "scenario_tool: unknown command 'compil'; did you mean 'compile'?\nTry 'scenario_tool --help'.\n"},
      {{"chek"}, "scenario_tool: unknown command 'chek'; did you mean 'check'?\nTry 'scenario_tool --help'.\n"},
      {{"frobnicate"}, "scenario_tool: unknown command 'frobnicate'\nTry 'scenario_tool --help'.\n"},
      {{"compile", "--lines", "l.txt", "--out", "o"},
       "scenario_tool compile: unknown option '--lines'; did you mean '--line'?\n"
       "Try 'scenario_tool compile --help'.\n"},
      {{"check", "--servce", "s.txt"},
       "scenario_tool check: unknown option '--servce'; did you mean '--service'?\nTry 'scenario_tool check --help'.\n"},
      {{"dump", "--jsn", "x.sim"},
       "scenario_tool dump: unknown option '--jsn'; did you mean '--json'?\nTry 'scenario_tool dump --help'.\n"},
      {{"compile", "--out", "--line", "l.txt"},
       "scenario_tool compile: option '--out' needs a value, found the option '--line'\n"
       "Try 'scenario_tool compile --help'.\n"},
      {{"check", "--line", "--service", "s.txt"},
       "scenario_tool check: option '--line' needs a value, found the option '--service'\n"
       "Try 'scenario_tool check --help'.\n"},
      // A line not understood is a usage error wherever --help stands.
      {{"compile", "--help", "--bogus"},
       "scenario_tool compile: unknown option '--bogus'\nTry 'scenario_tool compile --help'.\n"},
      {{"compile", "--bogus", "--help"},
       "scenario_tool compile: unknown option '--bogus'\nTry 'scenario_tool compile --help'.\n"},
      // "--" ends the options: what follows is an operand.
      {{"check", "--", "--line"},
       "scenario_tool check: unexpected argument '--line'\nTry 'scenario_tool check --help'.\n"},
  };
  for (const caso& c : casi) {
    const esito_riga e = esegui(c.argomenti);
    EXPECT_EQ(e.stato, kUscitaUso) << c.argomenti[0];
    EXPECT_EQ(e.err, c.err);
    EXPECT_EQ(e.out, "");
  }
}

TEST(RigaDiComando, HelpAndVersionOnEverySubcommand) {
  const std::string generale = esegui({"--help"}).out;
  for (const comando_strumento& c : tabella_comandi()) {
    const std::string comando(c.nome);
    SCOPED_TRACE(comando);
    const esito_riga aiuto = esegui({comando, "--help"});
    EXPECT_EQ(aiuto.stato, kUscitaPulita);
    EXPECT_EQ(aiuto.out, c.aiuto);
    EXPECT_EQ(aiuto.out.rfind("usage: scenario_tool " + comando, 0), 0u) << aiuto.out;
    EXPECT_NE(generale.find("  " + comando + " "), std::string::npos) << generale;
    const esito_riga versione = esegui({comando, "--version"});
    EXPECT_EQ(versione.stato, kUscitaPulita);
    EXPECT_EQ(versione.out, std::string(kVersioneStrumento) + "\n");
    EXPECT_EQ(versione.err, "");
  }
  EXPECT_EQ(esegui({"--version"}).out, std::string(kVersioneStrumento) + "\n");
}

// A value given after "=" may begin with dashes: it cannot be taken for an
// option by mistake.
TEST(RigaDiComando, AValueAfterAnEqualsSignIsTakenAsItStands) {
  const esito_riga e = esegui({"check", "--line=--odd name.txt"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, "--odd name.txt: No such file or directory\n");
  const esito_riga dopo = esegui({"dump", "--", "--odd.sim"});
  EXPECT_EQ(dopo.stato, kUscitaFile);
  EXPECT_EQ(dopo.err, "--odd.sim: No such file or directory\n");
}

}  // namespace
}  // namespace sb
