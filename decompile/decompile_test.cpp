#include "decompile/decompile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compile/compile.h"
#include "test_support/largest_line_fixture.h"
#include "scenario/plan_encoding.h"
#include "test_support/file_bytes.h"
#include "test_support/sample_scenario.h"

namespace sb {
namespace {

// The records of a compile of the texts, as decompile reads them from files.
ingresso_decompile compilato(const std::string& linea, const std::string& servizio, bool con_griglia) {
  const risultato_compile k = compila({linea, servizio, "VALMORA", "2201", con_griglia ? 1 : 0});
  EXPECT_EQ(k.s.codice_errore, 0);
  EXPECT_EQ(k.fine, fine_compile::completata);
  return {k.s.tabella, k.s.celle, punti_griglia(k.s.griglia), con_griglia, "VALMORA", "2201", {}};
}

// The sample texts with rows put in before the line's or the service's given
// line (1-based, as in the sample's lists).
std::string con_righe(std::vector<std::string> testo, size_t prima_di, const std::vector<std::string>& righe) {
  testo.insert(testo.begin() + static_cast<std::ptrdiff_t>(prima_di - 1), righe.begin(), righe.end());
  return prova::righe_crlf(testo);
}

// The texts split into lines, CR LF taken off.
std::vector<std::string> righe(const std::string& testo) {
  std::vector<std::string> out;
  for (size_t a = 0; a < testo.size();) {
    size_t b = testo.find("\r\n", a);
    out.push_back(testo.substr(a, b - a));
    a = b + 2;
  }
  return out;
}

TEST(Decompile, SampleComesBackInTheBuildersLayout) {
  const esito_decompile e = decompila(compilato(prova::righe_crlf(prova::linea_esempio()),
                                                prova::righe_crlf(prova::servizio_esempio()), true));
  EXPECT_TRUE(e.differenze.empty());
  EXPECT_TRUE(e.note.empty());
  EXPECT_EQ(righe(e.testo_linea),
            (std::vector<std::string>{
                "Line VALMORA, recovered by scenario_tool decompile from its compiled files. Code page 1252 text (\xE8).",
                "[generale]",
                "lunghezza percorso,    12000",
                "progressiva chilometrica uno,    0,    0,    0",
                "progressiva chilometrica due,    0,    0,    0",
                "progressiva chilometrica tre,    0,    0,    0",
                "sfondo uno,    1",
                "sfondo due,    2",
                "sfondo tre,    3",
                "ripetizione segnali 4 codici,    0,    12000",
                "[curve]",
                "curvad4,  2000,  600",
                "curvas3,  5000,  900",
                "curvad2,  8000,  1200",
                "[pendenze]",
                "pendenza,   0,    0",
                "pendenza,  1500,   8",
                "pendenza,  4000,   -5",
                "pendenza,  7000,   12",
                "pendenza,  10000,   0",
                "[montagne]",
                "montagna,   3000,  3800,  11",
                "[cartelli]",
                "indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0",
                "[indicazioni]",
                "cartello_indicatore,  2950,   (Cippo Km.)( 3+000 )",
                "[fine]",
            }));
  EXPECT_EQ(righe(e.testo_servizio),
            (std::vector<std::string>{
                "Run of train 2201 on line VALMORA, recovered by scenario_tool decompile from its compiled files. "
                "Code page 1252 text (\xE8).",
                "",
                "[generale]",
                "numero vetture,    6",
                "percentuale massa frenata,    90",
                "sabbia,    200",
                "orologio,     7              15             0 ",
                "[aderenze]",
                "aderenza,   0,    80",
                "[vel_limite]",
                "velocita,       0,   100",
                "velocita,    4000,    80",
                "velocita,    9000,   120",
                "[stazioni]",
                "stazione,       0,  4,  500,  1, 0, 0,  4,1,0,  2,1,1,    0,   7,15, 0, Pratofondo",
                "stazione,    5000, 22,  400,  0, 0, 0,  4,1,0,  2,1,1,    0,   7,22,30, Lago Serino",
                "stazione,   11000,  4,  600,  0, 0, 0,  4,1,0,  2,1,1,    0,   7,30, 0, Cortemara",
                "[rallentamenti]",
                "rallentamento,    7000,    60,  300, 0,  1,  0",
                "[segnali]",
                "segnale,    1300,   2, 0, 0,  0, 0,    0,  0,0,0, 0",
                "segnale,    4600,   1, 1, 1,  1, 1,    0,  0,0,0, 0",
                "[codici]",
                "[fine]",
            }));
}

TEST(Decompile, WithoutThePlanTheCurvesStayOut) {
  const esito_decompile e = decompila(compilato(prova::righe_crlf(prova::linea_esempio()),
                                                prova::righe_crlf(prova::servizio_esempio()), false));
  EXPECT_TRUE(e.differenze.empty());
  EXPECT_TRUE(e.linea.curve.empty());
  const std::vector<std::string> r = righe(e.testo_linea);
  ASSERT_GE(r.size(), 3u);
  EXPECT_EQ(r[1], "No line plan was given: the curves are not here.");
  EXPECT_EQ(r[2], "[generale]");
}

TEST(Decompile, LargestLineComesBackExactly) {
  const esito_decompile e = decompila(compilato(prova::linea_massima(), "[generale]\r\n[fine]\r\n", true));
  EXPECT_EQ(e.guasto, "");
  EXPECT_TRUE(e.differenze.empty()) << e.differenze.front().testo;
  EXPECT_EQ(e.linea.curve.size(), 4000u);
  EXPECT_EQ(e.linea.montagne.size(), 80u);
  EXPECT_EQ(e.linea.cartelli.size(), 81u);
  EXPECT_EQ(e.linea.pendenze.size(), 10001u);
}

// A case where the texts cannot say back what the author wrote, only what
// codes the same: the row that comes back and the note above it.
struct caso_nota {
  const char* nome;
  std::vector<std::string> righe_linea;     // before the line's "[fine]"
  std::vector<std::string> righe_servizio;  // before the service's "[codici]"
  std::string riga;                         // expected in the texts
  std::string nota;                         // expected just above it ("" for none)
};

TEST(Decompile, CodingsThatStandForSeveralComeBackWithANote) {
  const std::vector<caso_nota> casi = {
      {"signal side out of range",
       {},
       {"segnale, 2000, 2, 1, 2, 3, 0, 3, 4, 5, 6, 0"},
       "segnale,    2000,   2, 1, 2,  3, 0,    3,  4,5,6, 0",
       "- values outside their ranges: they give the cell's codes as the original row did"},
      {"tempo raised to 101",
       {},
       {"segnale, 2000, 2, 1, 2, 3, 0, 0, 4, 5, 6, 50"},
       "segnale,    2000,   2, 1, 2,  3, 0,    0,  4,5,6, 101",
       "- tempo 101 also stands for any tempo from 1 to 100"},
      {"sign under a stop point",
       {"cartello_indicatore,  5100,  (Sotto)"},
       {},
       "cartello_indicatore,  150,   (Sotto)",
       "- a station's stop point took this sign's cell: its position is lost and this stop point covers it again"},
      {"indicator under a stop point",
       {"indicatori_vmax,  5100,  60,  70,  75,  2,  60,  70,  75,  1"},
       {},
       "indicatori_vmax,  5100,  0,  70,  75,  2,  0,  70,  75,  1",
       "- a station's stop point covers this indicator: its a speeds are lost"},
      {"montagna kind above 10 without marks",
       {"montagna,  6000,  6500,  -244"},
       {},
       "montagna,   6000,  6500,  -244",
       "- kind 12 without marks: its low 8 bits give the kind"},
      {"slowdown whose warning point needs a start above 1500 m",
       {},
       {"rallentamento, 1510, 40, 400, 0, 0, 0"},
       "rallentamento,    1501,    40,  399, 0,  0,  0",
       ""},
  };
  for (const caso_nota& c : casi) {
    SCOPED_TRACE(c.nome);
    const esito_decompile e = decompila(compilato(con_righe(prova::linea_esempio(), 27, c.righe_linea),
                                                  con_righe(prova::servizio_esempio(), 22, c.righe_servizio), true));
    EXPECT_TRUE(e.differenze.empty()) << e.differenze.front().testo;
    std::vector<std::string> r = righe(e.testo_linea);
    const std::vector<std::string> s = righe(e.testo_servizio);
    r.insert(r.end(), s.begin(), s.end());
    auto it = std::find(r.begin(), r.end(), c.riga);
    ASSERT_NE(it, r.end()) << e.testo_linea << e.testo_servizio;
    if (c.nota.empty()) {
      EXPECT_FALSE(it[-1].starts_with("- ")) << it[-1];
    } else {
      EXPECT_EQ(it[-1], c.nota);
    }
  }
}

TEST(Decompile, ChainageRowsComeBackSoThatTheyAreArrangedTheSame) {
  std::vector<std::string> linea = prova::linea_esempio();
  linea[3] = "progressiva chilometrica uno,  1000,  500,  1";
  linea[4] = "progressiva chilometrica due,  3000,  0,  0";
  linea[5] = "progressiva chilometrica tre,  2000,  50,  0";
  const esito_decompile e =
      decompila(compilato(prova::righe_crlf(linea), prova::righe_crlf(prova::servizio_esempio()), true));
  EXPECT_TRUE(e.differenze.empty());
  const std::vector<std::string> r = righe(e.testo_linea);
  EXPECT_EQ(std::vector<std::string>(r.begin() + 3, r.begin() + 6),
            (std::vector<std::string>{"progressiva chilometrica uno,    1000,    500,    1",
                                      "progressiva chilometrica due,    2000,    50,    0",
                                      "progressiva chilometrica tre,    3000,    0,    0"}));
}

TEST(Decompile, AnAuthorsPointInThePassesWayIsKeptApart) {
  // The slowdown from 7000 m to 8000 m runs through cells 141 to 161; the pass
  // would place its first run point in cell 149, where the author's stands,
  // so it takes 148, and its next 156.
  std::vector<std::string> servizio = prova::servizio_esempio();
  servizio[17] = "rallentamento, 7000, 60, 1000, 0, 1, 0";
  const ingresso_decompile in =
      compilato(prova::righe_crlf(prova::linea_esempio()), con_righe(servizio, 22, {"abbattimento,  7450,  180"}), true);
  for (size_t c : {148, 149, 156}) {
    EXPECT_EQ(in.celle[c].tipo, tipo_cella::abbattimento) << c;
    EXPECT_EQ(in.celle[c].dato_1, 180) << c;
  }
  const esito_decompile e = decompila(in);
  EXPECT_TRUE(e.differenze.empty());
  ASSERT_EQ(e.servizio.abbattimenti.size(), 1u);
  EXPECT_EQ(e.servizio.abbattimenti[0].posizione, 7450);
  EXPECT_EQ(e.servizio.abbattimenti[0].valore, 180);
}

TEST(Decompile, AnOverwrittenSignalIsReported) {
  // The signal stands in cell 103; the station row after it puts its stop
  // point there and its own marks over two of the signal's.
  const esito_decompile e =
      decompila(compilato(prova::righe_crlf(prova::linea_esempio()),
                          con_righe(prova::servizio_esempio(), 14, {"segnale, 5100, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0"}),
                          true));
  ASSERT_EQ(e.differenze.size(), 2u);
  EXPECT_EQ(e.differenze[0].file, "VALMORA_2201.dat");
  EXPECT_EQ(e.differenze[0].testo, "cell 95 (at 4700 m): preavviso 64 in the input, 0 after the round trip");
  EXPECT_EQ(e.differenze[1].testo, "cell 97 (at 4800 m): preavviso 63 in the input, 0 after the round trip");
}

TEST(Decompile, FilesThatDoNotBelongTogetherAreDamaged) {
  const ingresso_decompile buono = compilato(prova::righe_crlf(prova::linea_esempio()),
                                             prova::righe_crlf(prova::servizio_esempio()), true);
  ingresso_decompile in = buono;
  in.celle.pop_back();
  EXPECT_EQ(decompila(in).guasto, "the route cells hold 380 cells, but a route of 12000 m has 381");
  in = buono;
  in.griglia.x.pop_back();
  EXPECT_EQ(decompila(in).guasto, "the line plan holds 19000 points, but a route of 12000 m has 19001");
  in = buono;
  in.tabella[kOggettoGenerale].fine = -5;
  EXPECT_EQ(decompila(in).guasto,
            "the route length -5 m in entry 84 of the object table is not one the compiler takes");
}

TEST(Decompile, NamesComeFromTheTableFileName) {
  tabella_oggetti t{};
  t[kOggettoLinea].nome = "VAL_MORA";
  t[kOggettoTreno].nome = "22_01";
  std::string linea, treno;
  nomi_dal_file("/x/y/VAL_MORA_22_01.sim", t, linea, treno);
  EXPECT_EQ(linea + "|" + treno, "VAL_MORA|22_01");
  nomi_dal_file("COPIA_7.sim", t, linea, treno);
  EXPECT_EQ(linea + "|" + treno, "COPIA|7");
  // A file name that gives an empty name: the table's own, else the defaults.
  nomi_dal_file("./_.sim", t, linea, treno);
  EXPECT_EQ(linea + "|" + treno, "VAL_MORA|22_01");
  nomi_dal_file("_9.sim", tabella_oggetti{}, linea, treno);
  EXPECT_EQ(linea + "|" + treno, "BORVALE|9");
  nomi_dal_file("X_.sim", tabella_oggetti{}, linea, treno);
  EXPECT_EQ(linea + "|" + treno, "X|40617");
}

}  // namespace
}  // namespace sb
