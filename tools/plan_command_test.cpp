// The plan command: the SVG picture written from the descriptions or from
// the binary files, its options, and the files it refuses.
#include "tools/plan_command.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "compile/exit_status.h"
#include "inspect/cell_meaning.h"
#include "platform/user_interface.h"
#include "scenario/binary_decoders.h"
#include "scenario/binary_files.h"
#include "test_support/plan_fixture.h"
#include "test_support/sample_scenario.h"
#include "test_support/svg_reading.h"
#include "test_support/tool_runs.h"
#include "text_input/utf8_input.h"

namespace sb {
namespace {

using prova::cartella_prova;
using prova::celle_curva;
using prova::conta;
using prova::griglia_curva;
using prova::lettore_xml;
using prova::nessuna_sovrapposizione;
using prova::scrivi;
using prova::stazioni_strane;

// From the descriptions of a line whose chainage starts at 12+000, with a
// signal at 50 000 m on a 12 000 m route: the picture is written, the status
// is compile's, the axis and the map read the line's kilometres, every item
// and the route's end are titled with the sheet's kilometre, and the error
// is marked at the route's end of the drawing, where it points beyond.
TEST(Plan, FromTheDescriptionsMarksTheLinesKilometresAndTheError) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::vector<std::string> linea = prova::linea_esempio();
  linea[3] = "progressiva chilometrica uno,   0,  12000,  0";
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[20] = "segnale, 50000, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0";
  scrivi(dir / "l.txt", prova::righe_crlf(linea));
  scrivi(dir / "s.txt", prova::righe_crlf(servizio));
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--line", dir / "l.txt", "--service", dir / "s.txt", "--svg", dir / "p.svg"});
  EXPECT_EQ(e.stato, kUscitaCodice);
  EXPECT_NE(e.err.find(dir / "s.txt" + ":21:"), std::string::npos) << e.err;
  const std::string svg = prova::leggi(dir / "p.svg");
  lettore_xml x(svg);
  ASSERT_TRUE(x.ben_formato());
  nessuna_sovrapposizione(svg);
  // Over the tracks the posts' kilometres, under them the route's.
  for (const char* km : {"12+000", "14+000", "22+000", "km 20+000", "km of the line"}) {
    EXPECT_EQ(conta(x.testi(), km), 1) << km;
  }
  EXPECT_EQ(conta(x.testi(), "km from the start of the route"), 1);
  for (const char* titolo : {"<title>km 14+000, route 2 000 m</title>",
                             "<title>stazione Lago Serino at km 17.000, route 5 000 m</title>",
                             "<title>cartello_indicatore at km 3.000, route 2 950 m</title>",
                             "<title>rallentamento from km 19.000, route 7 000 \xE2\x80\x93 7 300 m</title>",
                             "<title>fine percorso km 24.000, route 12 000 m</title>"}) {
    EXPECT_NE(svg.find(titolo), std::string::npos) << titolo;
  }
  // The error's mark as drawn: the diagnostic's first line as its title, a
  // red triangle at the right edge of the axis, its label left of it.
  const std::string diagnostica = prova::leggi(dir / "p.svg").substr(svg.find("<g class=\"fault\">"));
  EXPECT_EQ(diagnostica.substr(0, diagnostica.find("</g>") + 4),
            "<g class=\"fault\"><title>" + dir / "s.txt" +
                ":21:10: error: error 15: position 50000 m is beyond the route&apos;s cells: the route ends at "
                "12000 m, its cells run on to 19000 m, and a row needs 100 m of them past its position, so it may "
                "stand up to 18900 m</title>"
                "<path d=\"M1176.0 210.6L1181.5 199.6L1170.5 199.6Z\" fill=\"#d50000\"/>\n"
                "<text x=\"1129.5\" y=\"198.1\" font-size=\"10.0\" fill=\"#d50000\" font-weight=\"bold\">error 15</text>\n"
                "</g>");
}

// Descriptions and binary files do not go together.
TEST(Plan, EitherTheDescriptionsOrTheBinaryFiles) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  struct caso {
    std::vector<std::string> argomenti;
    const char* motivo;
  };
  const caso casi[] = {
      {{"plan", "--line", "l.txt", "--sim", "x.sim", "--svg", "p.svg"},
       "give either the descriptions or the binary files, not both"},
      {{"plan", "--cells", "x.dat", "--train", "1", "--svg", "p.svg"}, "--line-name and --train go with the descriptions"},
      {{"plan", "--line", "l.txt", "--train", "a/b", "--svg", "p.svg"}, "--train must be a plain name"},
      {{"plan", "--line", "l.txt", "--service", "s.txt"}, "--svg OUT.svg is required"},
  };
  for (const caso& c : casi) {
    prova::esecuzione e = prova::esegui_strumento_esterno(dir, c.argomenti);
    EXPECT_EQ(e.stato, kUscitaUso) << c.motivo;
    EXPECT_EQ(e.err, std::string("scenario_tool plan: ") + c.motivo + "\nTry 'scenario_tool plan --help'.\n");
  }
}

TEST(Plan, WritesTheSvgFromTheFiles) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  scrivi(dir / "V_linea.dat", codifica_griglia(griglia_curva()));
  scrivi(dir / "V_1.sim", codifica_tabella(stazioni_strane()));
  scrivi(dir / "V_1.dat", codifica_celle(celle_curva()).substr(0, 100));
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "V_linea.dat", "--sim", dir / "V_1.sim", "--svg", dir / "p.svg"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  lettore_xml x(prova::leggi(dir / "p.svg"));
  EXPECT_TRUE(x.ben_formato());
  e = prova::esegui_strumento_esterno(dir, {"plan", "--sim", dir / "V_1.sim", "--svg", dir / "s.svg"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_TRUE(lettore_xml(prova::leggi(dir / "s.svg")).ben_formato());
  e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "V_linea.dat", "--cells", dir / "V_1.dat", "--svg", dir / "q.svg"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir / "V_1.dat" + ": byte 90: cell 6 is cut short: 10 of its 15 bytes\n");
  EXPECT_FALSE(prova::esiste(dir / "q.svg"));
  // "-" is standard output, not a file named "-".
  e = prova::esegui_strumento_esterno(dir, {"plan", "--sim", dir / "V_1.sim", "--svg", "-"});
  EXPECT_EQ(e.stato, kUscitaPulita) << e.err;
  EXPECT_EQ(e.out, prova::leggi(dir / "s.svg"));
  EXPECT_FALSE(prova::esiste(dir / "-"));
  e = prova::esegui_strumento_esterno(dir, {"plan", "--svg", dir / "r.svg"});
  EXPECT_EQ(e.stato, kUscitaUso);
  EXPECT_EQ(e.err,
            "scenario_tool plan: give --line and --service, or any of --plan, --sim and --cells\n"
            "Try 'scenario_tool plan --help'.\n");
}

// A plan left from another build beside the object table (a compile with
// --no-plan after the route changed) is damaged, and so said.
TEST(Plan, APlanThatDisagreesWithTheRouteLengthIsDamaged) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  tabella_oggetti t = stazioni_strane();
  t[84].fine = 2000;
  scrivi(dir / "V_linea.dat", codifica_griglia(griglia_curva()));
  scrivi(dir / "V_1.sim", codifica_tabella(t));
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "V_linea.dat", "--sim", dir / "V_1.sim", "--svg", dir / "p.svg"});
  EXPECT_EQ(e.stato, kUscitaFile);
  // Points 0 and 1 take 4 bytes, 2 to 9000 take 10.
  EXPECT_EQ(e.err, dir / "V_linea.dat" + ": byte 89998: the plan holds 10001 points but the route length 2000 m of " +
                       dir / "V_1.sim" + " calls for 9001\n");
  EXPECT_FALSE(prova::esiste(dir / "p.svg"));
  // Cells of another route, against the table or, without it, the plan.
  scrivi(dir / "V_1.dat", codifica_celle(celle_curva()));
  e = prova::esegui_strumento_esterno(dir, {"plan", "--sim", dir / "V_1.sim", "--cells", dir / "V_1.dat", "--svg",
                                            dir / "p.svg"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir / "V_1.dat" + ": the route cells hold 201 cells but the route length 2000 m of " +
                       dir / "V_1.sim" + " calls for 181\n");
  scrivi(dir / "W_1.dat", codifica_celle(celle_percorso(181)));
  e = prova::esegui_strumento_esterno(dir, {"view", "--plan", dir / "V_linea.dat", "--cells", dir / "W_1.dat",
                                            "--html", dir / "p.html"});
  EXPECT_EQ(e.stato, kUscitaFile);
  EXPECT_EQ(e.err, dir / "W_1.dat" + ": the route cells hold 181 cells but the route length 3000 m of " +
                       dir / "V_linea.dat" + " calls for 201\n");
  EXPECT_FALSE(prova::esiste(dir / "p.svg"));
  EXPECT_FALSE(prova::esiste(dir / "p.html"));
}

// The builder's own scenario drawn from its files: every station is named,
// the kilometre marks of the map are all there, no two texts overlap.
TEST(Plan, DrawsEverythingOfTheBuildersScenario) {
  cartella_prova dir;
  ASSERT_TRUE(dir.ok());
  std::ostringstream attesa, errori;
  std::unique_ptr<interfaccia_utente> ui = interfaccia_console(attesa, errori);
  ASSERT_EQ(avvio(dir.cartella(), *ui, errori), kUscitaPulita) << errori.str();
  prova::esecuzione e = prova::esegui_strumento_esterno(
      dir, {"plan", "--plan", dir / "BORVALE_linea.dat", "--sim", dir / "BORVALE_40617.sim", "--cells",
            dir / "BORVALE_40617.dat", "--svg", dir / "p.svg"});
  ASSERT_EQ(e.stato, kUscitaPulita) << e.err;
  const std::string svg = prova::leggi(dir / "p.svg");
  lettore_xml x(svg);
  ASSERT_TRUE(x.ben_formato());
  tabella_oggetti t{};
  ASSERT_TRUE(decodifica_tabella(prova::leggi(dir / "BORVALE_40617.sim"), t).ok);
  int stazioni = 0;
  for (int i = 1; i <= 80; ++i) {
    if (!e_stazione(i, t[i])) continue;
    ++stazioni;
    EXPECT_GE(conta(x.testi(), cp1252_in_utf8(t[i].nome)), 1) << t[i].nome;
  }
  EXPECT_EQ(stazioni, 30);
  // The map marks the line's kilometres where a label fits.
  for (const char* km : {"km 20+000", "km 40+000", "km 80+000"}) {
    EXPECT_EQ(conta(x.testi(), km), 1) << km;
  }
  for (const char* t_ : {"Cippo Km. 20+000", "IMBOCCO GALLERIA TRASMONTE", "50 km/h", "route 93.0 km"}) {
    EXPECT_EQ(conta(x.testi(), t_), 1) << t_;
  }
  // The default train's run: its speed under the limit, its time beside the
  // timetable's, a point a cell from the origin's stop to the destination's.
  for (const char* t_ : {"speed, km/h", "time, min", "speed limit", "timetable"}) EXPECT_EQ(conta(x.testi(), t_), 1) << t_;
  EXPECT_EQ(conta(x.testi(), "fastest run"), 2);
  for (const char* classe : {"run-limit", "run-speed", "run-time", "run-timetable"}) {
    const size_t a = svg.find(std::string("<path class=\"") + classe + "\"");
    ASSERT_NE(a, std::string::npos) << classe;
    const std::string d = svg.substr(svg.find(" d=\"", a) + 4, svg.find("\"/>", a) - svg.find(" d=\"", a) - 4);
    if (std::string(classe) == "run-speed" || std::string(classe) == "run-time") {
      EXPECT_EQ(std::count(d.begin(), d.end(), 'L') + 1, (88000 - 150) / 50 + 1) << classe;
    }
  }
  nessuna_sovrapposizione(svg);
}

}  // namespace
}  // namespace sb
