#include "app/startup.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "scenario/error_codes.h"

namespace sb {
namespace {

// How a build ended, the code it left, and the status and text expected.
struct caso_uscita {
  const char* nome;
  esito_build::tipo fine;
  int32_t codice;
  int32_t posizione;
  int stato;
  const char* diagnostica;
};

const caso_uscita kCasi[] = {
    {"clean", esito_build::tipo::completata, 0, 0, 0, ""},
    {"compile code", esito_build::tipo::completata, 16, 1200, 1,
     "codice_errore 16 posizione_errore 1200: signal on a cell that is already taken\n"},
    {"pass code", esito_build::tipo::completata, 12, 3050, 1,
     "codice_errore 12 posizione_errore 3050: no free cell for a code-reduction point before a slowdown start\n"},
    {"code without a position", esito_build::tipo::completata, 25, 0, 1,
     "codice_errore 25 posizione_errore 0: a value cannot be read as its row requires, or the text ends inside a row\n"},
    {"no cells, code recorded", esito_build::tipo::senza_celle, 101, 0, 1,
     "codice_errore 101 posizione_errore 0: the line description does not exist\n"},
    {"no cells, no code", esito_build::tipo::senza_celle, 0, 0, 1,
     "no route length was read: no binary file written\n"},
    {"guard: the box said it all", esito_build::tipo::guardia, 0, 0, 3, ""},
    {"guard over a recorded code", esito_build::tipo::guardia, 16, 1200, 3, ""},
};

TEST(EsitoUscita, StatusAndDiagnostic) {
  for (const caso_uscita& c : kCasi) {
    SCOPED_TRACE(c.nome);
    esito_build esito;
    esito.fine = c.fine;
    if (c.fine == esito_build::tipo::guardia) esito.numero_guardia = 1250;
    scenario s;
    s.codice_errore = c.codice;
    s.posizione_errore = c.posizione;
    std::ostringstream err;
    EXPECT_EQ(esito_uscita(esito, s, err), c.stato);
    EXPECT_EQ(err.str(), c.diagnostica);
  }
}

TEST(EsitoUscita, FileFailureNamesPathAndReason) {
  esito_build esito;
  esito.fine = esito_build::tipo::errore_file;
  esito.file.ok = false;
  esito.file.file = "/dati/BORVALE_40617.sim";
  esito.file.motivo = "Permission denied";
  scenario s;
  s.codice_errore = 16;  // a file failure wins over a recorded code
  std::ostringstream err;
  EXPECT_EQ(esito_uscita(esito, s, err), kUscitaFile);
  EXPECT_EQ(err.str(), "/dati/BORVALE_40617.sim: Permission denied\n");
}

// An argument list, the status, and what goes to each stream.
struct caso_riga {
  std::vector<std::string> argomenti;
  int stato;
  const char* out;
  const char* err;
};

TEST(RigaDiComando, OnlyHelpAndVersionAreTaken) {
  const char* uso_x = "scenario_builder: takes no arguments, was given 'x'\n"
                      "usage: scenario_builder [--help | --version]\n";
  const caso_riga casi[] = {
      {{"--version"}, 0, "scenario_builder 1.0\n", ""},
      {{"x"}, 2, "", uso_x},
      {{"-h"}, 2, "", "scenario_builder: takes no arguments, was given '-h'\n"
                      "usage: scenario_builder [--help | --version]\n"},
      {{"--help", "--version"}, 2, "", "scenario_builder: takes no arguments, was given '--help'\n"
                                       "usage: scenario_builder [--help | --version]\n"},
      {{"x", "--help"}, 2, "", uso_x},
  };
  for (const caso_riga& c : casi) {
    SCOPED_TRACE(c.argomenti[0]);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(riga_di_comando(c.argomenti, out, err), c.stato);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(err.str(), c.err);
  }
}

TEST(RigaDiComando, HelpOnStandardOutputAndNoArgumentsBuild) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(riga_di_comando({}, out, err), std::nullopt);
  EXPECT_EQ(out.str() + err.str(), "");
  EXPECT_EQ(riga_di_comando({"--help"}, out, err), 0);
  EXPECT_EQ(out.str().rfind("usage: scenario_builder\n", 0), 0u) << out.str();
  EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace sb
