// scenario_tool diff: a table of edits to a small scenario, each alone and
// mixed, with exactly the lines each gives; a reformat that gives none;
// texts against compiled files; the command line's mistakes; and git
// running the tool as its external diff driver and dump as its textconv.
#include "tools/diff_command.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "compile/exit_status.h"
#include "test_support/tool_runs.h"
#include "tools/command_table.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::righe_crlf;
using prova::scrivi;

// An edit: rows of the line and service texts replaced (by 0-based index;
// an empty text removes the row), rows added after an index.
struct modifica {
  std::vector<std::pair<size_t, std::string>> linea;
  std::vector<std::pair<size_t, std::string>> servizio;
  std::vector<std::pair<size_t, std::string>> linea_aggiunte = {};
  std::vector<std::pair<size_t, std::string>> servizio_aggiunte = {};
};

std::vector<std::string> applica(std::vector<std::string> righe, const std::vector<std::pair<size_t, std::string>>& cambi,
                                 const std::vector<std::pair<size_t, std::string>>& aggiunte = {}) {
  for (const auto& [k, riga] : cambi) righe[k] = riga;
  for (auto a = aggiunte.rbegin(); a != aggiunte.rend(); ++a) righe.insert(righe.begin() + static_cast<long>(a->first) + 1, a->second);
  std::erase(righe, std::string());
  return righe;
}

// What one run of the command gave.
struct esito_diff {
  int stato = -1;
  std::string out;
  std::string err;
};

// The small scenario, as is and edited, in two folders of a scratch folder.
class Diff : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.ok()); }

  esito_diff confronta(const modifica& m, std::vector<std::string> extra = {}) {
    scrivi(dir_ / "old_l.txt", righe_crlf(prova::linea_esempio()));
    scrivi(dir_ / "old_s.txt", righe_crlf(prova::servizio_esempio()));
    scrivi(dir_ / "new_l.txt", righe_crlf(applica(prova::linea_esempio(), m.linea, m.linea_aggiunte)));
    scrivi(dir_ / "new_s.txt", righe_crlf(applica(prova::servizio_esempio(), m.servizio, m.servizio_aggiunte)));
    std::vector<std::string> a = {"diff", "--old-line", dir_ / "old_l.txt", "--old-service", dir_ / "old_s.txt",
                                  "--new-line", dir_ / "new_l.txt", "--new-service", dir_ / "new_s.txt"};
    a.insert(a.end(), extra.begin(), extra.end());
    std::ostringstream out, err;
    esito_diff e;
    e.stato = esegui_strumento(a, out, err);
    e.out = out.str();
    e.err = err.str();
    return e;
  }

  cartella_prova dir_;
};

// Each kind of edit gives exactly its lines; a leg's line where the edit
// changes its fastest time or its margin.
TEST_F(Diff, EachEditGivesExactlyItsLines) {
  struct caso {
    const char* nome;
    modifica m;
    std::string atteso;
  };
  const caso casi[] = {
      {"reformatted and reordered rows",
       {{{15, "pendenza,0,0"}},
        {{14, "stazione,5000,22,400,0,0,0,4,1,0,2,1,1,0,7,22,30,Lago Serino"},
         {19, "segnale, 4600, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0"},
         {20, "segnale, 1300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0"}}},
       ""},
      {"a general row", {{}, {{2, "numero vetture,  4"}}}, "generale numero vetture 6 -> 4\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:11.0, margin +44.1 % -> +44.7 %\n"},
      {"the clock", {{}, {{5, "orologio,  7  10  0"}}}, "generale orologio 07:15:00 -> 07:10:00\n"},
      {"an adhesion row added", {{}, {}, {}, {{7, "aderenza,  6000,  60"}}}, "aderenza 60 at 6 000 m: added\n"},
      {"a limit changed", {{}, {{10, "velocita,  4000,  70"}}}, "velocita at 4 000 m: value 80 -> 70\n"
       "tratta Pratofondo - Lago Serino at 5 100 m: fastest 3:54.8 -> 4:00.5, margin +91.6 % -> +87.1 %\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:33.4, margin +44.1 % -> +35.0 %\n"},
      {"a limit moved", {{}, {{10, "velocita,  4500,  80"}}}, "velocita 80 at 4 500 m: moved +500 m from 4 000 m\n"
       "tratta Pratofondo - Lago Serino at 5 100 m: fastest 3:54.8 -> 3:50.3, margin +91.6 % -> +95.4 %\n"},
      {"a limit removed", {{}, {{11, ""}}}, "velocita 120 at 9 000 m: removed\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:23.0, margin +44.1 % -> +39.3 %\n"},
      {"a station moved", {{}, {{14, "stazione, 5050, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino"}}}, "stazione Lago Serino at 5 050 m: moved +50 m from 5 000 m\n"
       "tratta Pratofondo - Lago Serino at 5 150 m: fastest 3:54.8 -> 3:57.1, margin +91.6 % -> +89.8 %\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:10.0, margin +44.1 % -> +45.1 %\n"},
      {"a station renamed", {{}, {{14, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Sereno"}}}, "stazione Lago Sereno at 5 000 m: nome Lago Serino -> Lago Sereno\n"},
      {"a station's time", {{}, {{14, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 23, 0, Lago Serino"}}}, "stazione Lago Serino at 5 000 m: orario 07:22:30 -> 07:23:00\n"
       "tratta Pratofondo - Lago Serino at 5 100 m: fastest 3:54.8 -> 3:54.8, margin +91.6 % -> +104.4 %\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:12.3, margin +44.1 % -> +34.5 %\n"},
      {"a station's dwell", {{}, {{14, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 60, 7, 22, 30, Lago Serino"}}}, "stazione Lago Serino at 5 000 m: opzione_3 0 -> 60\n"
       "tratta Pratofondo - Lago Serino at 5 100 m: fastest 3:54.8 -> 3:54.8, margin +91.6 % -> +66.1 %\n"},
      {"a station's type", {{}, {{14, "stazione, 5000, 26, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino"}}}, "stazione Lago Serino at 5 000 m: tipo 22 (stops) -> 26 (passes)\n"
       "tratta Pratofondo - Lago Serino at 5 000 m: fastest 3:54.8 -> 3:28.1, margin +91.6 % -> +116.2 %\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:00.9, margin +44.1 % -> +49.6 %\n"},
      {"a station added",
       {{}, {}, {}, {{14, "stazione, 8000, 27, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 0, 0, 0, Poggio Alto"}}}, "stazione Poggio Alto at 8 000 m: added\n"},
      {"a station removed", {{}, {{14, ""}}}, "stazione Lago Serino at 5 000 m: removed\n"},
      {"a slowdown's speed", {{}, {{17, "rallentamento, 7000, 40, 300, 0, 1, 0"}}}, "rallentamento at 7 000 m: v 60 -> 40\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:34.3, margin +44.1 % -> +34.6 %\n"},
      {"a signal changed", {{}, {{19, "segnale, 1300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 230"}}}, "segnale at 1 300 m: tempo 0 -> 230\n"},
      {"a signal moved", {{}, {{20, "segnale, 4700, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0"}}}, "segnale at 4 700 m: moved +100 m from 4 600 m\n"},
      {"a signal added", {{}, {}, {}, {{20, "segnale, 9000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0"}}}, "segnale at 9 000 m: added: sx 2, s1 0, s2 0, s3 0, rapp 0, dx 0, d1 0, d2 0, d3 0, tempo 0\n"},
      {"a gradient changed", {{{17, "pendenza,  4000,  -6"}}, {}}, "pendenza at 4 000 m: value -5 -> -6\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:12.1, margin +44.1 % -> +44.2 %\n"},
      {"a gradient added", {{}, {}, {{18, "pendenza,  8500,  4"}}}, "pendenza 4 at 8 500 m: added\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:10.7, margin +44.1 % -> +44.8 %\n"},
      {"a curve's radius", {{{11, "curvad3,  2000,  600"}}, {}}, "curvad3 at 2 000 m: radius 1000 m -> 2500 m\n"},
      {"a curve moved", {{{12, "curvas3,  5200,  900"}}, {}}, "curvas3 at 5 200 m: moved +200 m from 5 000 m\n"},
      {"a montagna span longer", {{{21, "montagna,  3000,  3900,  11"}}, {}}, "montagna at 3 000 m: fine 3800 -> 3900\n"},
      {"a sign board moved", {{{23, "cartello_indicatore,  3050,  (Cippo Km.)( 3+000 )"}}, {}}, "cartello_indicatore Cippo Km. 3+000 at 3 050 m: moved +100 m from 2 950 m\n"},
      {"a sign board's caption", {{{23, "cartello_indicatore,  2950,  (Cippo Km.)( 3+100 )"}}, {}}, "cartello_indicatore Cippo Km. 3+100 at 2 950 m: didascalia (Cippo Km.)( 3+000 ) -> (Cippo Km.)( 3+100 )\n"},
      {"an indicator changed", {{{25, "indicatori_vmax,  500,  60,  70,  80,  0,  60,  70,  75,  0"}}, {}}, "indicatori_vmax at 500 m: vcs 75 -> 80\n"},
      {"mixed",
       {{{11, "curvad3,  2000,  600"}, {17, "pendenza,  4000,  -6"}},
        {{2, "numero vetture,  4"}, {14, "stazione, 5050, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 23, 0, Lago Serino"},
         {20, "segnale, 4700, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0"}}},
       "generale numero vetture 6 -> 4\n"
       "curvad3 at 2 000 m: radius 1000 m -> 2500 m\n"
       "pendenza at 4 000 m: value -5 -> -6\n"
       "segnale at 4 700 m: moved +100 m from 4 600 m\n"
       "stazione Lago Serino at 5 050 m: moved +50 m from 5 000 m; orario 07:22:30 -> 07:23:00\n"
       "tratta Pratofondo - Lago Serino at 5 150 m: fastest 3:54.8 -> 3:57.1, margin +91.6 % -> +102.4 %\n"
       "tratta Lago Serino - Cortemara at 11 200 m: fastest 5:12.3 -> 5:08.5, margin +44.1 % -> +36.1 %\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const esito_diff e = confronta(c.m);
    EXPECT_EQ(e.out, c.atteso);
    EXPECT_EQ(e.stato, c.atteso.empty() ? 0 : 1);
    EXPECT_EQ(e.err, "");
  }
}

// A side of compiled files against the texts they came from: the same; and
// a change seen across the two kinds.
TEST_F(Diff, CompiledFilesAgainstTexts) {
  ASSERT_EQ(confronta({}).stato, 0);
  std::ostringstream out, err;
  ASSERT_EQ(esegui_strumento({"compile", "--line", dir_ / "old_l.txt", "--service", dir_ / "old_s.txt", "--out",
                              dir_ / "bin"},
                             out, err),
            0)
      << err.str();
  const std::vector<std::string> binari = {"--old-sim", dir_ / "bin/BORVALE_40617.sim", "--old-cells",
                                           dir_ / "bin/BORVALE_40617.dat", "--old-plan", dir_ / "bin/BORVALE_linea.dat"};
  auto contro = [&](const modifica& m) {
    esito_diff e = confronta(m);  // writes the new texts
    std::vector<std::string> a = {"diff", "--new-line", dir_ / "new_l.txt", "--new-service", dir_ / "new_s.txt"};
    a.insert(a.end(), binari.begin(), binari.end());
    std::ostringstream o, r;
    e.stato = esegui_strumento(a, o, r);
    e.out = o.str();
    e.err = r.str();
    return e;
  };
  const esito_diff uguale = contro({});
  EXPECT_EQ(uguale.stato, 0);
  EXPECT_EQ(uguale.out, "");
  const esito_diff rinomina =
      contro({{}, {{14, "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Sereno"}}});
  EXPECT_EQ(rinomina.stato, 1);
  EXPECT_NE(rinomina.out.find("stazione Lago Sereno at 5 000 m: nome Lago Serino -> Lago Sereno\n"), std::string::npos)
      << rinomina.out;
}

// The changes as JSON, one object each.
TEST_F(Diff, JsonHoldsEachChange) {
  const esito_diff e =
      confronta({{}, {{20, "segnale, 4700, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0"}, {5, "orologio,  7  10  0"}}}, {"--json"});
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.out,
            "[\n {\"row\": \"generale\", \"name\": \"orologio\", \"change\": \"changed\", \"fields\": [{\"name\": "
            "\"orologio\", \"old\": \"07:15:00\", \"new\": \"07:10:00\"}]},\n {\"row\": \"segnale\", \"name\": \"\", \"change\": \"moved\", \"at_m\": 4700, \"from_m\": 4600, "
            "\"fields\": []}\n]\n");
}

// The command line's mistakes and unreadable files: trouble, status 2.
TEST_F(Diff, MistakesAreTrouble) {
  struct caso {
    std::vector<std::string> argomenti;
    std::string err;
  };
  const caso casi[] = {
      {{"diff"},
       "scenario_tool diff: no old side: give --old-line/--old-service or --old-sim/--old-cells/--old-plan\n"
       "Try 'scenario_tool diff --help'.\n"},
      {{"diff", "--old-line", "a", "--old-sim", "b", "--new-line", "c"},
       "scenario_tool diff: the old side is texts or compiled files, not both\nTry 'scenario_tool diff --help'.\n"},
      {{"diff", "--old-line", "missing_l.txt", "--new-line", "missing_l.txt"},
       "missing_l.txt: No such file or directory\n"},
      {{"diff", "a", "b"},
       "scenario_tool diff: give the two sides as options, or git's seven arguments\nTry 'scenario_tool diff --help'.\n"},
      {{"diff", "notes.txt", "/dev/null", "0", "0", "notes.txt", "0", "100644"},
       "scenario_tool diff: notes.txt: not a scenario file (a NAME_linea.txt, NAME_TRAIN-.txt, NAME_linea.dat, "
       "NAME_TRAIN.sim or NAME_TRAIN.dat)\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.argomenti.size() > 1 ? c.argomenti[1] : "none");
    std::ostringstream out, err;
    EXPECT_EQ(esegui_strumento(c.argomenti, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), c.err);
  }
}

}  // namespace
}  // namespace sb

namespace sb {
namespace {

// Runs a shell command in a folder, its standard output and status.
prova::esecuzione nella_shell(const cartella_prova& dir, const std::string& comando) {
  const std::string tutto = "cd " + prova::tra_apici(dir.cartella()) + " && HOME=" + prova::tra_apici(dir.cartella()) +
                            " GIT_CONFIG_NOSYSTEM=1 " + comando + " >.out 2>.err </dev/null";
  const int r = std::system(tutto.c_str());
  prova::esecuzione e;
  e.stato = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
  e.out = prova::leggi(dir / ".out");
  e.err = prova::leggi(dir / ".err");
  std::filesystem::remove(dir / ".out");
  std::filesystem::remove(dir / ".err");
  return e;
}

// git diff in a scratch repository, configured as the reference says: the
// driver on the texts and the compiled files, dump as their textconv.
TEST(DiffGit, GitRunsTheDriverAndTheTextconv) {
  cartella_prova repo;
  ASSERT_TRUE(repo.ok());
  const std::string strumento = prova::tra_apici(SB_SCENARIO_TOOL);
  const std::string linea = repo / "PRATOFONDO_linea.txt", servizio = repo / "PRATOFONDO_2211-.txt";
  scrivi(linea, righe_crlf(prova::linea_esempio()));
  scrivi(servizio, righe_crlf(prova::servizio_esempio()));
  scrivi(repo / ".gitattributes",
         "*_linea.txt diff=scenario\n*-.txt diff=scenario\n*.sim diff=scenario-binary\n*.dat diff=scenario-binary\n");
  const std::string compila = strumento + " compile --line " + prova::tra_apici(linea) + " --service " +
                              prova::tra_apici(servizio) + " --out .";
  ASSERT_EQ(nella_shell(repo, compila).stato, 0);
  ASSERT_EQ(nella_shell(repo, "git init -q && git config user.email a@b && git config user.name a && git add -A && "
                              "git commit -q -m base").stato, 0);
  // Lago Serino renamed, and the set compiled again.
  std::vector<std::string> s = prova::servizio_esempio();
  s[14] = "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Sereno";
  scrivi(servizio, righe_crlf(s));
  ASSERT_EQ(nella_shell(repo, compila).stato, 0);
  const std::string cambio = "stazione Lago Sereno at 5 000 m: nome Lago Serino -> Lago Sereno\n";
  const std::string driver = prova::tra_apici("diff.scenario.command=" + strumento + " diff") + " -c " +
                             prova::tra_apici("diff.scenario-binary.command=" + strumento + " diff") + " -c " +
                             prova::tra_apici("diff.scenario-binary.textconv=" + strumento + " dump");
  const prova::esecuzione d = nella_shell(repo, "git -c " + driver + " diff");
  EXPECT_EQ(d.stato, 0) << d.err;
  EXPECT_EQ(d.out, "scenario_tool diff PRATOFONDO_2211-.txt\n" + cambio + "scenario_tool diff PRATOFONDO_2211.sim\n" +
                       cambio);
  // One text alone, through GIT_EXTERNAL_DIFF.
  const prova::esecuzione x =
      nella_shell(repo, "GIT_EXTERNAL_DIFF=" + prova::tra_apici(strumento + " diff") + " git diff -- '*-.txt'");
  EXPECT_EQ(x.stato, 0) << x.err;
  EXPECT_EQ(x.out, "scenario_tool diff PRATOFONDO_2211-.txt\n" + cambio);
  // Without the driver, the textconv shows the object table as dump prints it.
  const prova::esecuzione t = nella_shell(repo, "git -c " + driver + " diff --no-ext-diff -- '*.sim'");
  EXPECT_EQ(t.stato, 0) << t.err;
  EXPECT_NE(t.out.find("\n+"), std::string::npos) << t.out;
  EXPECT_NE(t.out.find("Lago Sereno"), std::string::npos) << t.out;
  EXPECT_EQ(t.out.find("Binary files"), std::string::npos) << t.out;
}

}  // namespace
}  // namespace sb
