#include "tools/decompile_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/startup.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/compile.h"
#include "compile/exit_status.h"
#include "documents/line_list.h"
#include "platform/user_interface.h"
#include "scenario/binary_decoders.h"
#include "scenario/binary_files.h"
#include "scenario/file_names.h"
#include "test_support/tool_runs.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::esecuzione;
using prova::leggi;
using prova::righe_crlf;
using prova::scrivi;

// The three file names of a scenario.
std::vector<std::string> nomi_binari(const std::string& linea, const std::string& treno) {
  return {nome_file_griglia(linea), nome_file_tabella(linea, treno), nome_file_celle(linea, treno)};
}

// The text without its first lines (the preamble).
std::string senza_righe(const std::string& testo, int righe) {
  size_t a = 0;
  for (int i = 0; i < righe; ++i) a = testo.find("\r\n", a) + 2;
  return testo.substr(a);
}

class Decompile : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.ok()); }

  // Compiles the texts in memory and writes the three files into dir_/in.
  void scrivi_binari(const std::string& linea, const std::string& servizio) {
    const risultato_compile r = compila({linea, servizio, "VALMORA", "2201", 1});
    ASSERT_EQ(r.s.codice_errore, 0);
    const file_binari f = codifica_binari(r.s);
    std::filesystem::create_directories(dir_ / "in");
    scrivi(dir_ / "in/VALMORA_linea.dat", f.griglia);
    scrivi(dir_ / "in/VALMORA_2201.sim", f.tabella);
    scrivi(dir_ / "in/VALMORA_2201.dat", f.celle);
  }

  esecuzione decompila(const std::string& cartella, const std::string& linea, const std::string& treno,
                       bool con_griglia, std::vector<std::string> extra = {}) {
    std::vector<std::string> a = {"decompile", "--sim", cartella + "/" + nome_file_tabella(linea, treno), "--cells",
                                  cartella + "/" + nome_file_celle(linea, treno), "--out", dir_ / "txt"};
    if (con_griglia) a.insert(a.end(), {"--plan", cartella + "/" + nome_file_griglia(linea)});
    a.insert(a.end(), extra.begin(), extra.end());
    return prova::esegui_strumento_esterno(dir_, a);
  }

  // Compiles the decompiled texts with the tool and compares the files it
  // writes with those in the folder.
  void ricompila_uguale(const std::string& cartella, const std::string& linea, const std::string& treno,
                        bool con_griglia) {
    std::vector<std::string> a = {"compile", "--line", dir_ / ("txt/" + nome_testo_linea(linea)), "--service",
                                  dir_ / ("txt/" + nome_testo_servizio(linea, treno)), "--line-name", linea,
                                  "--train", treno, "--out", dir_ / "again"};
    if (!con_griglia) a.push_back("--no-plan");
    esecuzione e = prova::esegui_strumento_esterno(dir_, a);
    ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
    for (const std::string& nome : nomi_binari(linea, treno)) {
      if (!con_griglia && nome == nome_file_griglia(linea)) continue;
      EXPECT_TRUE(leggi(cartella + "/" + nome) == leggi(dir_ / ("again/" + nome))) << nome;
    }
  }

  cartella_prova dir_;
};

TEST_F(Decompile, TheBuildersOwnFilesComeBackToItsOwnTexts) {
  cartella_prova costruttore;
  std::ostringstream attesa, errori;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(attesa, errori);
  ASSERT_EQ(avvio(costruttore.cartella(), *ui, errori), kUscitaPulita) << errori.str();
  for (bool con_griglia : {true, false}) {
    SCOPED_TRACE(con_griglia ? "with the plan" : "without the plan");
    // The second pass replaces the texts of the first.
    esecuzione e = decompila(costruttore.cartella(), "BORVALE", "40617", con_griglia, {"--force"});
    ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
    EXPECT_EQ(e.err, "");
    EXPECT_EQ(e.out, dir_ / "txt/BORVALE_linea.txt\n" + dir_ / "txt/BORVALE_40617-.txt\nround trip: exact\n");
    ricompila_uguale(costruttore.cartella(), "BORVALE", "40617", con_griglia);
    // Word for word the builder's texts, but for the notes of the preamble.
    const std::string servizio = componi_documento(righe_treno());
    EXPECT_EQ(senza_righe(leggi(dir_ / "txt/BORVALE_40617-.txt"), 2), senza_righe(servizio, 10));
    if (con_griglia) {
      EXPECT_EQ(senza_righe(leggi(dir_ / "txt/BORVALE_linea.txt"), 1), componi_documento(righe_linea()));
    }
  }
}

TEST_F(Decompile, AnOverwrittenItemIsReportedAndExitsOne) {
  // The signal row stands before the station whose stop point takes its cell.
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio.insert(servizio.begin() + 13, "segnale, 5100, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0");
  scrivi_binari(righe_crlf(prova::linea_esempio()), righe_crlf(servizio));
  esecuzione e = decompila(dir_ / "in", "VALMORA", "2201", true);
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.err, dir_ / "txt/VALMORA_linea.txt:25: note: a station's stop point covers this indicator: its a "
                          "speeds are lost\n" +
                       dir_ / "in/VALMORA_2201.dat: warning: cell 95 (at 4700 m): preavviso 64 in the input, 0 after "
                              "the round trip\n" +
                       dir_ / "in/VALMORA_2201.dat: warning: cell 97 (at 4800 m): preavviso 63 in the input, 0 after "
                              "the round trip\n"
                          "the texts in " + dir_ / "txt do not compile back to the same files\n");
  EXPECT_EQ(e.ultima_riga(), "round trip: 2 differences");
}

TEST_F(Decompile, NamesThatReadAsUtf8StayCodePage1252) {
  // "Citt\xC3\xA0" is code page 1252 here; as UTF-8 it would read "Citta" with a grave accent.
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[14] = "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Citt\xC3\xA0";
  scrivi_binari(righe_crlf(prova::linea_esempio()), righe_crlf(servizio));
  esecuzione e = decompila(dir_ / "in", "VALMORA", "2201", true);
  ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_FALSE(prepara_testo(leggi(dir_ / "txt/VALMORA_2201-.txt")).convertito);
  ricompila_uguale(dir_ / "in", "VALMORA", "2201", true);
}

// An author's edited texts are never overwritten unless --force is given: the
// tool names each, writes nothing and exits 4.
TEST_F(Decompile, TextsAlreadyThereAreReplacedOnlyWithForce) {
  scrivi_binari(righe_crlf(prova::linea_esempio()), righe_crlf(prova::servizio_esempio()));
  std::filesystem::create_directories(dir_ / "txt");
  scrivi(dir_ / "txt/VALMORA_2201-.txt", "edited by the author\r\n");
  esecuzione e = decompila(dir_ / "in", "VALMORA", "2201", true);
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir_ / "txt/VALMORA_2201-.txt: File exists (--force replaces it)\n");
  EXPECT_EQ(e.out, "");
  EXPECT_EQ(leggi(dir_ / "txt/VALMORA_2201-.txt"), "edited by the author\r\n");
  EXPECT_FALSE(prova::esiste(dir_ / "txt/VALMORA_linea.txt"));

  e = decompila(dir_ / "in", "VALMORA", "2201", true, {"--force"});
  ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
  ricompila_uguale(dir_ / "in", "VALMORA", "2201", true);
}

TEST_F(Decompile, DamagedFilesAndUsageErrors) {
  scrivi_binari(righe_crlf(prova::linea_esempio()), righe_crlf(prova::servizio_esempio()));
  esecuzione e = decompila(dir_ / "none", "VALMORA", "2201", false);
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir_ / "none/VALMORA_2201.sim: No such file or directory\n");

  scrivi(dir_ / "in/CUT_1.sim", leggi(dir_ / "in/VALMORA_2201.sim").substr(0, 40));
  e = prova::esegui_strumento_esterno(dir_, {"decompile", "--sim", dir_ / "in/CUT_1.sim", "--cells",
                                             dir_ / "in/VALMORA_2201.dat", "--out", dir_ / "txt"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir_ / "in/CUT_1.sim: byte 40: object record 1 is cut short before its name (it starts at byte 34)\n");

  scrivi(dir_ / "in/SHORT_1.dat", leggi(dir_ / "in/VALMORA_2201.dat").substr(0, 15 * 300));
  e = prova::esegui_strumento_esterno(dir_, {"decompile", "--sim", dir_ / "in/VALMORA_2201.sim", "--cells",
                                             dir_ / "in/SHORT_1.dat", "--out", dir_ / "txt"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir_ / "in/SHORT_1.dat: the route cells hold 300 cells, but a route of 12000 m has 381\n");
  EXPECT_FALSE(prova::esiste(dir_ / "txt"));

  // A plan of another length is told against the plan, not the cells.
  griglia_linea corta;
  ASSERT_TRUE(decodifica_griglia(leggi(dir_ / "in/VALMORA_linea.dat"), corta).ok);
  corta.x.resize(1000);
  corta.y.resize(1000);
  scrivi(dir_ / "in/SHORT_linea.dat", codifica_griglia(corta));
  e = prova::esegui_strumento_esterno(dir_, {"decompile", "--sim", dir_ / "in/VALMORA_2201.sim", "--cells",
                                             dir_ / "in/VALMORA_2201.dat", "--plan", dir_ / "in/SHORT_linea.dat",
                                             "--out", dir_ / "txt"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir_ / "in/SHORT_linea.dat: the line plan holds 1000 points, but a route of 12000 m has 19001\n");

  e = prova::esegui_strumento_esterno(dir_, {"decompile", "--cells", "x.dat", "--out", "o"});
  EXPECT_EQ(e.stato, kUscitaUso);
  EXPECT_EQ(e.err, "scenario_tool decompile: --sim NAME_TRAIN.sim is required\n"
                   "Try 'scenario_tool decompile --help'.\n");
  e = prova::esegui_strumento_esterno(dir_, {"decompile", "--sim", "x.sim", "--cells", "x.dat"});
  EXPECT_EQ(e.stato, kUscitaUso);
  e = prova::esegui_strumento_esterno(dir_, {"decompile", "--sim", "x.sim", "--cells", "x.dat", "--out", "o",
                                             "--train", "a/b"});
  EXPECT_EQ(e.stato, kUscitaUso);
}

}  // namespace
}  // namespace sb
