// scenario_tool timing: the built-in scenario's legs and cells against their
// golden files, the JSON of a small scenario, the train profile's
// diagnostics at its rows, and the command line's mistakes.
#include "tools/timing_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/exit_status.h"
#include "documents/line_list.h"
#include "test_support/tool_runs.h"
#include "tools/command_table.h"
#include "tools/timing_output.h"

namespace sb {
namespace {

using prova::leggi;
using prova::righe_crlf;
using prova::scrivi;

// One run of the tool in this process, with the scratch folder's path taken
// out of what it says.
struct esito_timing {
  int stato = -1;
  std::string out;
  std::string err;
};

// A scratch folder with the author's two texts and, when a test writes one,
// a train profile.
class Timing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.ok());
    scrivi(linea_, righe_crlf(prova::linea_esempio()));
    scrivi(servizio_, righe_crlf(prova::servizio_esempio()));
  }

  esito_timing esegui(std::vector<std::string> extra) {
    std::vector<std::string> a = {"timing", "--line", linea_, "--service", servizio_};
    a.insert(a.end(), extra.begin(), extra.end());
    std::ostringstream out, err;
    esito_timing e;
    e.stato = esegui_strumento(a, out, err);
    e.out = out.str();
    e.err = err.str();
    for (size_t i = e.err.find(dir_.cartella() + "/"); i != std::string::npos; i = e.err.find(dir_.cartella() + "/")) {
      e.err.erase(i, dir_.cartella().size() + 1);
    }
    return e;
  }

  static std::string golden(const std::string& nome) {
    return leggi(std::string(SB_SOURCE_DIR) + "/tools/testdata/" + nome);
  }

  prova::cartella_prova dir_;
  std::string linea_ = dir_ / "l.txt";
  std::string servizio_ = dir_ / "s.txt";
  std::string profilo_ = dir_ / "p.txt";
};

// The built-in scenario with the default train: every leg, and the run at
// every cell, as the golden files hold them.
TEST_F(Timing, BuiltInScenarioMatchesItsGoldenFiles) {
  scrivi(linea_, componi_documento(righe_linea()));
  scrivi(servizio_, componi_documento(righe_treno()));
  const esito_timing testo = esegui({});
  EXPECT_EQ(testo.stato, kUscitaPulita);
  EXPECT_EQ(testo.err, "");
  EXPECT_EQ(testo.out, golden("timing_borvale.txt"));
  const esito_timing csv = esegui({"--csv"});
  EXPECT_EQ(csv.stato, kUscitaPulita);
  EXPECT_EQ(csv.out, golden("timing_borvale.csv"));
}

// The small scenario's JSON: the train, both legs, and the first cell.
TEST_F(Timing, JsonHoldsTheTrainTheLegsAndTheCells) {
  const esito_timing e = esegui({"--json", "--line-name", "PRATOFONDO", "--train", "2211"});
  EXPECT_EQ(e.stato, kUscitaPulita);
  EXPECT_EQ(e.err, "");
  const std::string inizio =
      "{\"line\": \"PRATOFONDO\", \"train\": \"2211\", \"vehicles\": 6, \"mass_t\": 270.000, \"length_m\": 150.000, "
      "\"recovery_margin_pct\": 3.000, \"run\": \"complete\",\n \"legs\": [\n"
      "  {\"from\": \"Pratofondo\", \"to\": \"Lago Serino\", ";
  EXPECT_EQ(e.out.substr(0, inizio.size()), inizio);
  EXPECT_NE(e.out.find("\"to\": \"Cortemara\""), std::string::npos);
  // The origin's stop point, where the run starts at a stand.
  EXPECT_NE(e.out.find("\n \"cells\": [\n  {\"cell\": 4, \"position_m\": 150, \"chainage_m\": 150, "
                       "\"limit_kmh\": 100.0, \"speed_kmh\": 0.00, \"time_s\": 0.00},\n"),
            std::string::npos);
}

// Names with accents are shown as UTF-8 in the table and in the JSON.
TEST_F(Timing, NamesWithAccentsAreUtf8) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[14] = "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Villa S\xC3\xA9gola";
  scrivi(servizio_, righe_crlf(servizio));
  const esito_timing t = esegui({"--line-name", "S\xC3\xA9GOLA"});
  EXPECT_EQ(t.stato, kUscitaPulita);
  EXPECT_EQ(t.out.substr(0, t.out.find(':')), "S\xC3\xA9GOLA 40617");
  EXPECT_NE(t.out.find("\nVilla S\xC3\xA9gola  Cortemara     "), std::string::npos) << t.out;
  const esito_timing j = esegui({"--json", "--line-name", "S\xC3\xA9GOLA"});
  EXPECT_EQ(j.out.rfind("{\"line\": \"S\xC3\xA9GOLA\", ", 0), 0u) << j.out.substr(0, 40);
  EXPECT_NE(j.out.find("\"to\": \"Villa S\xC3\xA9gola\""), std::string::npos);
}

// A profile's mistakes are told at its rows, under its file's name; a
// profile with an error is not used.
TEST_F(Timing, ProfileDiagnosticsNameTheProfileFile) {
  scrivi(profilo_, "[treno]\r\nmasa, 200\r\nmassa, 8x8\r\n[fine]\r\n");
  const esito_timing e = esegui({"--train-profile", profilo_});
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.out, "");
  EXPECT_EQ(e.err,
            "p.txt:2:1: error: unknown keyword 'masa'; did you mean 'massa'? the row is not read\n"
            "masa, 200\n"
            "^~~~\n"
            "p.txt:3:8: error: expected a number for the mass in t of 'massa', found '8x8': write it as 45, 0.08 or 1e9\n"
            "massa, 8x8\n"
            "       ^~~\n"
            "scenario_tool: error: the train profile p.txt has errors and is not used\n");
}

// A profile that sets the train: its mass and margin show in the heading.
TEST_F(Timing, ProfileAndMarginSetTheTrain) {
  scrivi(profilo_, "[treno]\r\nmassa, 200\r\nlunghezza, 80\r\n[fine]\r\n");
  const esito_timing e = esegui({"--train-profile", profilo_, "--recovery-margin", "4.5"});
  EXPECT_EQ(e.stato, kUscitaPulita);
  EXPECT_EQ(e.err, "");
  EXPECT_EQ(e.out.substr(0, e.out.find('\n')), "BORVALE 40617: 6 vehicles, 200 t, 80 m; recovery margin 4.5 %");
}

// The command line's mistakes, each a usage error or a file's.
TEST_F(Timing, CommandLineMistakes) {
  struct caso {
    std::vector<std::string> extra;
    int stato;
    std::string err;
  };
  const caso casi[] = {
      {{"--json", "--csv"}, kUscitaUso,
       "scenario_tool timing: --json and --csv go one at a time\nTry 'scenario_tool timing --help'.\n"},
      {{"--recovery-margin", "3,5"}, kUscitaUso,
       "scenario_tool timing: --recovery-margin takes a per cent from 0 to 100, not '3,5'\n"
       "Try 'scenario_tool timing --help'.\n"},
      {{"--recovery-margin", "120"}, kUscitaUso,
       "scenario_tool timing: --recovery-margin takes a per cent from 0 to 100, not '120'\n"
       "Try 'scenario_tool timing --help'.\n"},
      {{"--train-profile", "missing.txt"}, kUscitaFile, "missing.txt: No such file or directory\n"},
      {{"--margin", "5"}, kUscitaUso,
       "scenario_tool timing: --margin goes with --propose\nTry 'scenario_tool timing --help'.\n"},
      {{"--propose", "--json"}, kUscitaUso,
       "scenario_tool timing: --propose prints a table: no --json or --csv\nTry 'scenario_tool timing --help'.\n"},
      {{"--propose", "--round", "0"}, kUscitaUso,
       "scenario_tool timing: --round takes whole seconds from 1 to 3600, not '0'\n"
       "Try 'scenario_tool timing --help'.\n"},
      {{"--propose", "--round", "7.5"}, kUscitaUso,
       "scenario_tool timing: --round takes whole seconds from 1 to 3600, not '7.5'\n"
       "Try 'scenario_tool timing --help'.\n"},
      {{"--propose", "--start", "24:00:00"}, kUscitaUso,
       "scenario_tool timing: --start takes a time of day HH:MM:SS, not '24:00:00'\n"
       "Try 'scenario_tool timing --help'.\n"},
      {{"--propose", "--margin", "-1"}, kUscitaUso,
       "scenario_tool timing: --margin takes a per cent from 0 to 100, not '-1'\n"
       "Try 'scenario_tool timing --help'.\n"},
      {{"--propose", "--no-wait"}, kUscitaUso,
       "scenario_tool timing: --no-wait goes with --write\nTry 'scenario_tool timing --help'.\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.extra[0] + " " + c.extra[1]);
    const esito_timing e = esegui(c.extra);
    EXPECT_EQ(e.stato, c.stato);
    EXPECT_EQ(e.err, c.err);
    EXPECT_EQ(e.out, "");
  }
}

// The proposal for the small scenario: the departure at the clock, each leg
// with at least the margin, the times rounded up to the half minute.
TEST_F(Timing, ProposeGivesEveryTimedStationATime) {
  const esito_timing e = esegui({"--propose"});
  EXPECT_EQ(e.stato, kUscitaPulita);
  EXPECT_EQ(e.err, "");
  EXPECT_EQ(e.out,
            "BORVALE 40617: 6 vehicles, 270 t, 150 m; margin 3 %, times rounded up to 30 s\n"
            "station      time now  proposed  fastest  scheduled  margin\n"
            "Pratofondo   07:15:00  07:15:00\n"
            // A stop's own dwell is 0 here: the train's 30 s minimum is added to it.
            "Lago Serino  07:22:30  07:20:00   3:54.8       5:00  +27.7 %\n"
            "Cortemara    07:30:00  07:25:30   5:12.3       5:30  +5.7 %\n");
  const esito_timing m = esegui({"--propose", "--margin", "20", "--round", "60", "--start", "08:00:10"});
  EXPECT_EQ(m.stato, kUscitaPulita);
  EXPECT_EQ(m.out,
            "BORVALE 40617: 6 vehicles, 270 t, 150 m; margin 20 %, times rounded up to 60 s\n"
            "station      time now  proposed  fastest  scheduled  margin\n"
            "Pratofondo   07:15:00  08:00:10\n"
            "Lago Serino  07:22:30  08:06:00   3:54.8       5:50  +49.0 %\n"
            "Cortemara    07:30:00  08:13:00   5:12.3       7:00  +34.5 %\n");
}

// --write writes anew, in the builder's layout, the station rows whose time
// changes and keeps every other byte; check then finds no leg to warn of,
// and the timetable is the proposal: proposed again, nothing changes.
TEST_F(Timing, ProposeWritesTheChangedRowsAndCheckPasses) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  // A tight leg to Cortemara, written by hand in its own layout.
  servizio[15] = "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0,   7   26   0 , Cortemara";
  scrivi(servizio_, righe_crlf(servizio));
  const esito_timing prima = esegui({});
  ASSERT_EQ(prima.stato, kUscitaPulita);
  const esito_timing w = esegui({"--propose", "--write"});
  EXPECT_EQ(w.stato, kUscitaPulita);
  EXPECT_EQ(w.err, "");
  EXPECT_NE(w.out.find("s.txt: 2 station times written\n"), std::string::npos) << w.out;
  servizio[14] = "stazione,    5000, 22,  400,  0, 0, 0,  4,1,0,  2,1,1,    0,   7,20, 0, Lago Serino";
  servizio[15] = "stazione,   11000,  4,  600,  0, 0, 0,  4,1,0,  2,1,1,    0,   7,25,30, Cortemara";
  EXPECT_EQ(leggi(servizio_), righe_crlf(servizio));
  std::ostringstream out, err;
  EXPECT_EQ(esegui_strumento({"check", "--line", linea_, "--service", servizio_}, out, err), kUscitaPulita)
      << err.str();
  // Proposed again, nothing changes.
  const esito_timing ancora = esegui({"--propose", "--write"});
  EXPECT_NE(ancora.out.find("s.txt: the times are already these; nothing written\n"), std::string::npos);
}

// A compile that records a code gives no running times.
TEST_F(Timing, NoTimesFromACompileWithACode) {
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[11] = "velocita,  9000,  22O00";
  scrivi(servizio_, righe_crlf(servizio));
  const esito_timing e = esegui({});
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_EQ(e.out, "");
  EXPECT_NE(e.err.find("scenario_tool: error: no running times: the compile did not end clean\n"), std::string::npos);
}

// Each column of the table is as wide as its widest figure: a leg the train
// cannot keep by hours stays in line with the others.
TEST(TimingTable, ColumnsHoldWideValues) {
  risultato_marcia r;
  r.esito = esito_corsa::completa;
  for (const char* nome : {"A", "B", "C"}) r.stazioni.push_back({0, nome});
  r.tratte.push_back({0, 1, 2700, 0, 0, 180, 154.1, 25.9, 16.8});
  r.tratte.push_back({1, 2, 1600, 0, 0, 300, 12821.5, -12521.5, -97.7});
  const std::string t = timing_tabella(r, scenario{});
  EXPECT_EQ(t.substr(t.find('\n') + 1),
            "from  to    distance  scheduled   fastest      margin\n"
            "A     B       2700 m       3:00    2:34.1     +25.9 s  +16.8 %\n"
            "B     C       1600 m       5:00  213:41.5  -12521.5 s  -97.7 %\n");
}

}  // namespace
}  // namespace sb
