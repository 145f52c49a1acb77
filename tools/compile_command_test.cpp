#include "tools/compile_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/startup.h"
#include "compile/exit_status.h"
#include "platform/user_interface.h"
#include "scenario/binary_decoders.h"
#include "scenario/file_names.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::esecuzione;
using prova::esiste;
using prova::leggi;
using prova::righe_crlf;
using prova::scrivi;

// A scratch directory holding the sample texts, as an author would have them.
class Compile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.ok());
    scrivi_testi(prova::linea_esempio(), prova::servizio_esempio());
  }

  void scrivi_testi(const std::vector<std::string>& linea, const std::vector<std::string>& servizio) {
    scrivi(linea_, righe_crlf(linea));
    scrivi(servizio_, righe_crlf(servizio));
  }

  esecuzione compila(std::vector<std::string> extra = {}) {
    std::vector<std::string> a = {"compile", "--line", linea_, "--service", servizio_,
                                  "--line-name", "VALMORA", "--train", "2201", "--out", out_};
    a.insert(a.end(), extra.begin(), extra.end());
    return prova::esegui_strumento_esterno(dir_, a);
  }

  std::string griglia() const { return out_ + "/VALMORA_linea.dat"; }
  std::string tabella() const { return out_ + "/VALMORA_2201.sim"; }
  std::string celle() const { return out_ + "/VALMORA_2201.dat"; }

  cartella_prova dir_;
  std::string linea_ = dir_ / "my line.txt";
  std::string servizio_ = dir_ / "my run.txt";
  std::string out_ = dir_ / "out/nested";
};

TEST_F(Compile, CleanBuildWritesTheThreeFilesAndLeavesTheTextsAlone) {
  const std::string linea = leggi(linea_), servizio = leggi(servizio_);
  esecuzione e = compila();
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_EQ(e.ultima_riga(), "codice_errore=0 posizione_errore=0");
  EXPECT_EQ(e.err, "");
  EXPECT_TRUE(esiste(griglia()));
  EXPECT_TRUE(esiste(tabella()));
  EXPECT_EQ(leggi(celle()).size(), 15u * 381);
  EXPECT_EQ(leggi(griglia()).size(), 20u * 12000 + 139964);
  EXPECT_EQ(leggi(linea_), linea);
  EXPECT_EQ(leggi(servizio_), servizio);
  // Nothing but the binary files lands in the output directory.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out_), std::filesystem::directory_iterator()), 3);
}

TEST_F(Compile, NoPlanWritesNoLinePlan) {
  esecuzione e = compila({"--no-plan"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_FALSE(esiste(griglia()));
  EXPECT_TRUE(esiste(tabella()));
  EXPECT_TRUE(esiste(celle()));
}

TEST_F(Compile, RecordedCodeStillWritesTheFilesAndPointsAtTheRow) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[20] = "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";  // line 21: the indicator's cell
  scrivi_testi(prova::linea_esempio(), servizio);
  esecuzione e = compila();
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.ultima_riga(), "codice_errore=16 posizione_errore=500");
  EXPECT_EQ(e.err, servizio_ +
                       ":21:10: error: error 16: signal at 500 m: cell 11 (500 m) already holds a maximum-speed "
                       "indicator\n"
                       "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0\n"
                       "         ^~~\n" +
                       linea_ + ":26:1: note: a maximum-speed indicator in cell 11 (500 m) comes from this row\n" +
                       "indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0\n"
                       "^" + std::string(14, '~') + "\n");
  EXPECT_TRUE(esiste(griglia()));
  EXPECT_TRUE(esiste(tabella()));
  EXPECT_TRUE(esiste(celle()));
}

// Line-phase faults name the author's line file, the row's line and the
// column of the field at fault.
TEST_F(Compile, LineDiagnosticsPointAtTheField) {
  struct caso {
    int riga;
    std::string testo;
    std::string errore;
  };
  const caso casi[] = {
      {10, "ripetizione segnali 4 codici,  25,  12000",
       ":10:32: error: error 3: cab-signalling start 25 is not a multiple of 50"},
      {12, "curvad,  2000,  600",
       ":12:1: error: error 103: curve keyword 'curvad' has no digit 1 to 6 for its curvature, as in 'curvad4'"},
      {3, "lunghezza percorso,  1000001", ":3:22: error: error 1: route length 1000001 m is above 1000000 m"},
  };
  for (const caso& c : casi) {
    std::vector<std::string> linea = prova::linea_esempio();
    linea[static_cast<size_t>(c.riga - 1)] = c.testo;
    scrivi_testi(linea, prova::servizio_esempio());
    esecuzione e = compila();
    EXPECT_EQ(e.stato, kUscitaCodice) << c.testo;
    EXPECT_NE(e.err.find(linea_ + c.errore + "\n" + c.testo + "\n"), std::string::npos) << c.testo << "\n" << e.err;
  }
}

TEST_F(Compile, NoRouteLengthWritesNothing) {
  scrivi_testi({"[fine]"}, prova::servizio_esempio());  // no "[generale]": code 102
  esecuzione e = compila();
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.ultima_riga(), "codice_errore=102 posizione_errore=0");
  EXPECT_NE(e.err.find("error 102: "), std::string::npos) << e.err;
  EXPECT_FALSE(esiste(tabella()));
  EXPECT_FALSE(esiste(celle()));
  EXPECT_EQ(leggi(linea_), "[fine]\r\n");
}

TEST_F(Compile, OmittedTextsHaveTheBuildsConsequences) {
  esecuzione senza_linea = prova::esegui_strumento_esterno(dir_, {"compile", "--service", servizio_, "--out", out_});
  EXPECT_EQ(senza_linea.stato, kUscitaCodice);
  EXPECT_EQ(senza_linea.ultima_riga(), "codice_errore=101 posizione_errore=0");
  EXPECT_EQ(senza_linea.err, "scenario_tool: error: error 101: there is no line description (no --line given)\n");

  esecuzione senza_servizio = prova::esegui_strumento_esterno(dir_, {"compile", "--line", linea_, "--out", out_});
  EXPECT_EQ(senza_servizio.stato, kUscitaCodice);
  EXPECT_EQ(senza_servizio.ultima_riga(), "codice_errore=25 posizione_errore=0");
  EXPECT_NE(senza_servizio.err.find("(no --service given)"), std::string::npos) << senza_servizio.err;
}

TEST_F(Compile, GuardFailureShowsTheBoxAndWritesNoFile) {
  std::vector<std::string> linea = prova::linea_esempio();
  linea[23] = "cartello_indicatore,  0,  (Km)";  // cell 1: a value where the marker goes
  scrivi_testi(linea, prova::servizio_esempio());
  esecuzione e = compila();
  EXPECT_EQ(e.stato, kUscitaGuardia);
  EXPECT_NE(e.err.find(" Errore n. 1250\n"), std::string::npos) << e.err;
  EXPECT_EQ(e.ultima_riga(), "codice_errore=0 posizione_errore=0");
  EXPECT_FALSE(esiste(griglia()));
  EXPECT_FALSE(esiste(tabella()));
  EXPECT_FALSE(esiste(celle()));
}

TEST_F(Compile, UnreadableFilesAndUsageErrors) {
  esecuzione manca = prova::esegui_strumento_esterno(dir_, {"compile", "--line", dir_ / "absent.txt", "--out", out_});
  EXPECT_EQ(manca.stato, kUscitaFile);
  EXPECT_EQ(manca.err, dir_ / "absent.txt" + ": No such file or directory\n");

  scrivi(dir_ / "a file", "x");
  esecuzione uscita = compila({});
  esecuzione su_file = prova::esegui_strumento_esterno(dir_, {"compile", "--line", linea_, "--out", dir_ / "a file"});
  EXPECT_EQ(su_file.stato, kUscitaFile);
  EXPECT_NE(su_file.err.find(dir_ / "a file"), std::string::npos) << su_file.err;

  // A link to a missing folder is said to be one; its target is not made.
  std::filesystem::create_symlink(dir_ / "gone", dir_ / "dangling");
  esecuzione appeso = prova::esegui_strumento_esterno(dir_, {"compile", "--line", linea_, "--out", dir_ / "dangling"});
  EXPECT_EQ(appeso.stato, kUscitaFile);
  EXPECT_EQ(appeso.err, dir_ / "dangling" + ": a link to a missing folder (" + dir_ / "gone" + ")\n");
  EXPECT_FALSE(esiste(dir_ / "gone"));

  for (const std::vector<std::string>& a : std::vector<std::vector<std::string>>{
           {"compile", "--line", linea_},
           {"compile", "--out", out_, "--bogus"},
           {"compile", "--out", out_, "--line"},
           {"compile", "--out", out_, "--train", "a/b"},
           {"compile", "--out", out_, "stray"},
           {"nonsense"},
           {}}) {
    esecuzione e = prova::esegui_strumento_esterno(dir_, a);
    EXPECT_EQ(e.stato, kUscitaUso) << (a.empty() ? "" : a.back());
    EXPECT_EQ(e.out, "");
  }
}

TEST_F(Compile, Utf8TextIsConvertedAndLineNumbersStay) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[0] = "Note \xC5\x81\xC3\xB3""d\xC5\xBA \xE2\x82\xAC";          // Łódź €: Ł has no code page 1252 form
  servizio[14] = "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Citt\xC3\xA0 Alta";
  servizio[20] = "segnale, 500, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";
  scrivi_testi(prova::linea_esempio(), servizio);
  esecuzione e = compila();
  EXPECT_EQ(e.stato, kUscitaCodice);
  // Columns count characters: the first that has no code page 1252 form is
  // the sixth of its line.
  const std::string atteso = servizio_ +
                             ":1:6: warning: a character with no code page 1252 form is replaced by \"?\"\n"
                             "Note \xC5\x81\xC3\xB3""d\xC5\xBA \xE2\x82\xAC\n"
                             "     ^\n" +
                             servizio_ + ":21:10: error: error 16: signal at 500 m";
  EXPECT_EQ(e.err.substr(0, atteso.size()), atteso);
  EXPECT_NE(leggi(tabella()).find("Citt\xE0 Alta"), std::string::npos);
}

TEST_F(Compile, WarningsOfOneKindAreCapped) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  for (int i = 0; i < 8; ++i) servizio.insert(servizio.begin(), "Note \xC5\x81");  // Ł: no code page 1252 form
  scrivi_testi(prova::linea_esempio(), servizio);
  esecuzione e = compila();
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  std::string attesa;
  for (int riga = 1; riga <= 5; ++riga) {
    attesa += servizio_ + ":" + std::to_string(riga) +
              ":6: warning: a character with no code page 1252 form is replaced by \"?\"\nNote \xC5\x81\n     ^\n";
  }
  EXPECT_EQ(e.err, attesa + servizio_ + ": note: 3 more like this\n");
}

// Without --line-name and --train the names come from the file names, so an
// author's compile does not write the built-in scenario's files.
TEST_F(Compile, NamesComeFromTheFileNamesWhenNotGiven) {
  scrivi(dir_ / "VALTORTA_linea.txt", leggi(linea_));
  scrivi(dir_ / "VALTORTA_123-.txt", leggi(servizio_));
  esecuzione e = prova::esegui_strumento_esterno(
      dir_, {"compile", "--line", dir_ / "VALTORTA_linea.txt", "--service", dir_ / "VALTORTA_123-.txt", "--out", out_});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_TRUE(esiste(out_ + "/VALTORTA_linea.dat"));
  EXPECT_TRUE(esiste(out_ + "/VALTORTA_123.dat"));
  tabella_oggetti t{};
  ASSERT_TRUE(decodifica_tabella(leggi(out_ + "/VALTORTA_123.sim"), t).ok);
  EXPECT_EQ(t[kOggettoLinea].nome, "VALTORTA");
  EXPECT_EQ(t[kOggettoTreno].nome, "123");
}

// A name given as UTF-8 is stored in code page 1252 like the texts; the
// files keep the name as given.
TEST_F(Compile, NamesAreStoredInCodePage1252) {
  esecuzione e = prova::esegui_strumento_esterno(dir_, {"compile", "--line", linea_, "--service", servizio_,
                                                        "--line-name", "Citt\xC3\xA0", "--train", "7\xC5\x81", "--out", out_});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_EQ(e.err, "scenario_tool: warning: the train number \"7\xC5\x81\" has a character with no code page "
                   "1252 form; it is stored as \"7?\"\n");
  tabella_oggetti t{};
  ASSERT_TRUE(decodifica_tabella(leggi(out_ + "/Citt\xC3\xA0_7\xC5\x81.sim"), t).ok);
  EXPECT_EQ(t[kOggettoLinea].nome, "Citt\xE0");
  EXPECT_EQ(t[kOggettoTreno].nome, "7?");
  EXPECT_TRUE(esiste(out_ + "/Citt\xC3\xA0_linea.dat"));
}

TEST_F(Compile, Cp1252TextIsTakenByteForByte) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[14] = "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Citt\xE0 Alta";
  scrivi_testi(prova::linea_esempio(), servizio);
  esecuzione e = compila();
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_NE(leggi(tabella()).find("Citt\xE0 Alta"), std::string::npos);
}

TEST_F(Compile, ExportedTextsCompileToTheBuildersOwnFiles) {
  cartella_prova costruttore;
  std::ostringstream attesa, errori;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(attesa, errori);
  ASSERT_EQ(avvio(costruttore.cartella(), *ui, errori), kUscitaPulita) << errori.str();

  esecuzione x = prova::esegui_strumento_esterno(dir_, {"export", "--out", dir_ / "ex"});
  ASSERT_EQ(x.stato, kUscitaPulita) << x.err;
  esecuzione e = prova::esegui_strumento_esterno(
      dir_, {"compile", "--line", dir_ / "ex/BORVALE_linea.txt", "--service", dir_ / "ex/BORVALE_40617-.txt",
             "--out", out_});
  ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
  for (const std::string& nome : {nome_file_griglia("BORVALE"), nome_file_tabella("BORVALE", "40617"),
                                  nome_file_celle("BORVALE", "40617")}) {
    ASSERT_TRUE(esiste(costruttore / nome)) << nome;
    EXPECT_TRUE(leggi(costruttore / nome) == leggi(out_ + "/" + nome)) << nome;
  }
}

}  // namespace
}  // namespace sb
