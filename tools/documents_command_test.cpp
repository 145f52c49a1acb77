#include "tools/documents_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compile/exit_status.h"
#include "test_support/document_scenario.h"
#include "test_support/tool_runs.h"

namespace sb {
namespace {

using prova::esecuzione;
using prova::esiste;
using prova::leggi;
using prova::righe_crlf;
using prova::scrivi;

// The small scenario's texts in a scratch directory, as an author has them.
class Documents : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.ok());
    scrivi_testi(prova::linea_cornasco(), prova::servizio_cornasco());
  }

  void scrivi_testi(const std::vector<std::string>& linea, const std::vector<std::string>& servizio) {
    scrivi(linea_, righe_crlf(linea));
    scrivi(servizio_, righe_crlf(servizio));
  }

  esecuzione esegui(const std::string& comando, std::vector<std::string> extra = {}) {
    std::vector<std::string> a = {comando,       "--line",  linea_, "--service", servizio_, "--line-name",
                                  "CORNASCO", "--train", "3318", "--out",     out_};
    a.insert(a.end(), extra.begin(), extra.end());
    return prova::esegui_strumento_esterno(dir_, a);
  }

  // The names of the files in the output directory, sorted.
  std::vector<std::string> scritti() const {
    std::vector<std::string> nomi;
    if (!esiste(out_)) return nomi;
    for (const auto& f : std::filesystem::directory_iterator(out_)) nomi.push_back(f.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
  }

  static std::string golden(const std::string& nome) {
    return leggi(std::string(SB_SOURCE_DIR) + "/documents/testdata/" + nome);
  }

  // The leg the small scenario's timetable gives too little time for, as
  // every command that reads the texts tells it.
  std::string gamba_impossibile() const {
    const std::vector<std::string> s = prova::servizio_cornasco();
    return servizio_ + ":18:65: error: from Case Rosse to San Prospero (5.0 km between the stations' positions) the timetable gives 4 min 30 s; "
                       "the train needs at least 4 min 54 s\n" +
           s[17] + "\n" + std::string(64, ' ') + "^" + std::string(11, '~') + "\n" + servizio_ +
           ":16:64: note: the earlier station\n" + s[15] + "\n" + std::string(63, ' ') + "^" + std::string(9, '~') +
           "\n";
  }

  prova::cartella_prova dir_;
  std::string linea_ = dir_ / "linea.txt";
  std::string servizio_ = dir_ / "corsa.txt";
  std::string note_ = dir_ / "note.txt";
  std::string out_ = dir_ / "out";
};

TEST_F(Documents, WritesTheSheetAndTheOrderAndNoBinaryFile) {
  const esecuzione e = esegui("documents");
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_EQ(e.err, gamba_impossibile());
  EXPECT_EQ(e.ultima_riga(), "codice_errore=0 posizione_errore=0");
  const std::vector<std::string> attesi = {"CORNASCO_3318_rallentamenti.txt", "CORNASCO_3318_scheda_treno.txt"};
  EXPECT_EQ(scritti(), attesi);
  EXPECT_EQ(leggi(out_ + "/CORNASCO_3318_scheda_treno.txt"), golden("CORNASCO_3318_scheda_treno.txt"));
  EXPECT_EQ(leggi(out_ + "/CORNASCO_3318_rallentamenti.txt"), golden("CORNASCO_3318_rallentamenti.txt"));
}

TEST_F(Documents, CompileWithDocumentsWritesBothAndTheNotesConverted) {
  scrivi(note_, "Una corsa breve.\nAttenzione a Citt\xC3\xA0.");
  const esecuzione e = esegui("compile", {"--documents", "--notes", note_});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  const std::vector<std::string> attesi = {"CORNASCO_3318.dat",           "CORNASCO_3318.sim",
                                           "CORNASCO_3318_note.txt",      "CORNASCO_3318_rallentamenti.txt",
                                           "CORNASCO_3318_scheda_treno.txt", "CORNASCO_linea.dat"};
  EXPECT_EQ(scritti(), attesi);
  EXPECT_EQ(leggi(out_ + "/CORNASCO_3318_note.txt"), "Una corsa breve.\r\nAttenzione a Citt\xE0.\r\n");
  EXPECT_EQ(leggi(out_ + "/CORNASCO_3318_scheda_treno.txt"), golden("CORNASCO_3318_scheda_treno.txt"));
}

TEST_F(Documents, ARecordedCodeWritesNoDocumentAndSaysWhy) {
  std::vector<std::string> servizio = prova::servizio_cornasco();
  servizio[14] = "stazione,  2520, 12, 300, 0, 0, 0, 1,1,0, 4,1,1, 30, 7, 4, 30, Molino Sereno";  // not on 50 m
  scrivi_testi(prova::linea_cornasco(), servizio);
  esecuzione e = esegui("documents");
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_TRUE(scritti().empty());
  EXPECT_NE(e.err.find(servizio_ + ":15:12: error: error 8: "), std::string::npos) << e.err;
  EXPECT_NE(e.err.find("scenario_tool: no document written: the compile recorded code 8\n"), std::string::npos)
      << e.err;
  EXPECT_EQ(e.ultima_riga(), "codice_errore=8 posizione_errore=2520");

  // compile --documents still writes the binary files, as compile does.
  e = esegui("compile", {"--documents", "--no-plan"});
  EXPECT_EQ(e.stato, kUscitaCodice);
  const std::vector<std::string> binari = {"CORNASCO_3318.dat", "CORNASCO_3318.sim"};
  EXPECT_EQ(scritti(), binari);
}

TEST_F(Documents, ANameCutToItsColumnIsAWarningAtItsRow) {
  std::vector<std::string> servizio = prova::servizio_cornasco();
  servizio[14] = "stazione,  2500, 12, 300, 0, 0, 0, 1,1,0, 4,1,1, 30, 7, 4, 30, Molino Sereno della Citt\xC3\xA0 Vecchia";
  scrivi_testi(prova::linea_cornasco(), servizio);
  const esecuzione e = esegui("documents");
  EXPECT_EQ(e.stato, kUscitaPulita);
  EXPECT_EQ(e.err, servizio_ +
                       ":15:64: warning: the station name is longer than the 28 characters of the train sheet's "
                       "Localita' column: cut to \"Molino Sereno della Citt\xC3\xA0 Ve\"\n" +
                       servizio[14] + "\n" + std::string(63, ' ') + "^" + std::string(32, '~') + "\n" +
                       gamba_impossibile());
  EXPECT_EQ(scritti().size(), 2u);
}

TEST_F(Documents, NotesThatCannotBeWrittenStopEveryDocument) {
  scrivi(note_, "prima\r\nriferimento fine del file\r\nultima\r\n");
  const esecuzione e = esegui("documents", {"--notes", note_});
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.err, gamba_impossibile() + note_ +
                       ":2:1: error: the line reads exactly \"riferimento fine del file\", which ends a document: "
                       "nothing after it would be written\nriferimento fine del file\n^" + std::string(24, '~') + "\n"
                       "scenario_tool: no document written\n");
  EXPECT_TRUE(scritti().empty());
}

TEST_F(Documents, UsageAndUnreadableFiles) {
  struct caso {
    std::vector<std::string> argomenti;
    int stato;
    std::string messaggio;
  } casi[] = {
      {{"documents", "--line", linea_}, kUscitaUso, "scenario_tool documents: --out DIR is required\n"},
      {{"compile", "--notes", note_, "--out", out_}, kUscitaUso, "scenario_tool compile: --notes needs --documents\n"},
      {{"documents", "--notes", dir_ / "missing.txt", "--out", out_}, kUscitaFile, "missing.txt"},
  };
  for (const caso& c : casi) {
    const esecuzione e = prova::esegui_strumento_esterno(dir_, c.argomenti);
    EXPECT_EQ(e.stato, c.stato) << c.argomenti[0];
    EXPECT_NE(e.err.find(c.messaggio), std::string::npos) << e.err;
  }
  EXPECT_TRUE(scritti().empty());
}

}  // namespace
}  // namespace sb
