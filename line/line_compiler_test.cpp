#include "line/line_compiler.h"

#include <gtest/gtest.h>

#include <string>

#include "scenario/binary_files.h"
#include "scenario/error_codes.h"
#include "scenario/plan_encoding.h"
#include "test_support/line_texts.h"

namespace sb {
namespace {

using compilato = prova::linea_compilata;
using prova::linea;
using prova::ripeti;
using prova::volte;

// The line phase alone, as BORVALE 40617.
compilato compila(std::string_view testo, int32_t flag = 0) { return prova::compila_linea(testo, flag); }

constexpr auto prosegui = esito_fase_linea::prosegui;
constexpr auto ritorna = esito_fase_linea::ritorna;
constexpr auto fallita = esito_fase_linea::lettura_fallita;

struct caso_codice {
  const char* nome;
  std::string testo;
  int32_t flag;
  esito_fase_linea esito;
  int32_t codice;
  int32_t posizione;  // posizione_errore afterwards (0 when not set)
  int32_t riga;       // riga_errore afterwards
};

TEST(LineCompiler, CodesAndWayOut) {
  const caso_codice casi[] = {
      {"empty text", "", 0, fallita, kLetturaFallita, 0, 1},
      {"blank lines only", "\r\n  \r\n", 0, fallita, kLetturaFallita, 0, 3},
      {"one note, no header", "note\r\n", 0, ritorna, kGeneraleAssente, 0, 0},
      {"no header", "nota\r\nlunghezza percorso, 100\r\n", 0, ritorna, kGeneraleAssente, 0, 0},
      {"ends right after the header", "nota\r\n[Generale]\r\n\r\n", 0, ritorna, kGeneraleAssente, 0, 2},
      {"clean line", linea(10000, "pendenza, 0, 0\r\n"), 0, prosegui, kNessunErrore, 0, 0},
      {"clean line with plan", linea(10000, "curvad1, 100, 100\r\n"), 1, prosegui, kNessunErrore, 0, 0},
      {"longest route", linea(1000000, ""), 0, prosegui, kNessunErrore, 0, 0},
      {"route too long", linea(1000001, ""), 0, ritorna, kLunghezzaEccessiva, 0, 2},
      {"negative route length", linea(-50, ""), 0, fallita, kLetturaFallita, 0, 2},
      {"route length not a number", "[generale]\r\nlunghezza percorso, 9x\r\n[fine]\r\n", 0, fallita,
       kLetturaFallita, 0, 2},
      {"no route length", "[generale]\r\nsfondo uno, 3\r\n[curve]\r\n[fine]\r\n", 0, fallita, kLetturaFallita, 0,
       0},
      {"route row without route length", "[generale]\r\n[curve]\r\npendenza, 0, 0\r\n[fine]\r\n", 0, fallita,
       kLetturaFallita, 0, 3},
      {"cab start not a multiple of 50",
       "[generale]\r\nlunghezza percorso, 1000\r\nripetizione segnali 4 codici, 25, 100\r\n[fine]\r\n", 0, ritorna,
       kInizioRipetizione, 0, 3},
      {"cab end not a multiple of 50",
       "[generale]\r\nlunghezza percorso, 1000\r\nripetizione segnali 4 codici, 0, 125\r\n[fine]\r\n", 0, ritorna,
       kFineRipetizione, 0, 3},
      {"cab without 4 or 9",
       "[generale]\r\nlunghezza percorso, 1000\r\nripetizione segnali codici, 0, 100\r\n[fine]\r\n", 0, ritorna,
       kCodiciRipetizione, 0, 3},
      {"position test passes at 99900", linea(93000, "pendenza, 99900, 0\r\n"), 0, prosegui, kNessunErrore, 0, 0},
      {"position test fails at 99901", linea(93000, "pendenza, 0, 0\r\npendenza, 99901, 0\r\npendenza, x\r\n"), 0,
       prosegui, kFuoriPercorso, 99901, 5},
      {"montagna beyond the route", linea(93000, "montagna, 99901, 99999, 1\r\n"), 0, prosegui, kFuoriPercorso,
       99901, 4},
      {"curve beyond the route", linea(93000, "curvad1, 99901, 10\r\n"), 1, prosegui, kFuoriPercorso, 99901, 4},
      {"curve beyond the route without plan", linea(93000, "curvad1, 99901, 10\r\n"), 0, prosegui, kNessunErrore, 0,
       0},
      {"curve without digit", linea(10000, "curvad, 100, 100\r\n"), 1, ritorna, kCurvaNonValida, 0, 4},
      {"curve without digit and without plan", linea(10000, "curvad, 100, 100\r\n"), 0, prosegui, kNessunErrore, 0,
       0},
      {"curve checks its position before its digit", linea(10000, "curvas, 20000, 10\r\n"), 1, prosegui,
       kFuoriPercorso, 20000, 4},
      {"curve ending past the plan", linea(10000, "curvad1, 16000, 1001\r\n"), 1, prosegui, kFuoriPercorso, 16000,
       4},
      {"curve ending on the last point", linea(10000, "curvad1, 16000, 1000\r\n"), 1, prosegui, kNessunErrore, 0, 0},
      {"curve carries the plan past 1000000", linea(1000000, "curvad1, 999000, 1000\r\n"), 1, ritorna,
       kCurvaNonValida, 0, 4},
      {"curve ends on point 999999", linea(1000000, "curvad1, 998000, 1999\r\n"), 1, prosegui, kNessunErrore, 0, 0},
      {"curve start plus length overflows", linea(10000, "curvad1, 100, 2147483647\r\n"), 1, fallita,
       kLetturaFallita, 0, 4},
      {"sign on a taken cell", linea(10000, "cartello_indicatore, 500, (A)\r\ncartello_indicatore, 510, (B)\r\n"), 0,
       ritorna, kCartelloOccupato, 510, 5},
      {"indicator on a taken cell", linea(10000, "cartello_indicatore, 500, (A)\r\nindicatori_vmax, 490, 1,1,1,0,1,1,1,0\r\n"),
       0, ritorna, kIndicatoreOccupato, 490, 5},
      {"sign below cell 0", linea(10000, "cartello_indicatore, -100, (A)\r\n"), 0, prosegui, kFuoriPercorso, -100, 4},
      {"sign in cell 0", linea(10000, "cartello_indicatore, -50, (A)\r\n"), 0, prosegui, kNessunErrore, 0, 0},
      {"indicator below cell 0", linea(10000, "indicatori_vmax, -100, 1,1,1,0,1,1,1,0\r\n"), 0, prosegui,
       kFuoriPercorso, -100, 4},
      {"montagna starting below cell 0", linea(10000, "montagna, -100, 500, 1\r\n"), 0, prosegui, kFuoriPercorso, -100,
       4},
      {"montagna ending past cell n", linea(10000, "montagna, 16000, 20000, 1\r\n"), 0, prosegui, kFuoriPercorso,
       16000, 4},
      {"montagna covering no cell", linea(10000, "montagna, 16000, 50, 1\r\n"), 0, prosegui, kNessunErrore, 0, 0},
      {"81st montagna", linea(10000, ripeti("montagna", 81, 100, ", 50, 1")), 0, ritorna, kTroppeMontagne, 8000, 84},
      {"80 montagna rows", linea(10000, ripeti("montagna", 80, 100, ", 50, 1")), 0, prosegui, kNessunErrore, 0, 0},
      {"82nd sign", linea(10000, ripeti("cartello_indicatore", 82, 100, ", (X)")), 0, ritorna, kTroppiCartelli, 8100,
       85},
      {"81 signs", linea(10000, ripeti("cartello_indicatore", 81, 100, ", (X)")), 0, prosegui, kNessunErrore, 0, 0},
      {"taken cell before the 82nd sign",
       linea(10000, ripeti("cartello_indicatore", 81, 100, ", (X)") + "cartello_indicatore, 8000, (Y)\r\n"), 0,
       ritorna, kCartelloOccupato, 8000, 85},
      {"gradient rows carry the cursor past n", linea(10000, volte(342, "pendenza, 50, 0\r\n")), 0, prosegui,
       kFuoriPercorso, 50, 345},
      {"indicator speed beyond 16 bits", linea(10000, "indicatori_vmax, 500, 1700, 1, 1, 0, , , , 0\r\n"), 0, fallita,
       kLetturaFallita, 0, 4},
      {"indicator stripes beyond 16 bits", linea(10000, "indicatori_vmax, 500, 1, 1, 1, 3277, , , , 0\r\n"), 0,
       fallita, kLetturaFallita, 0, 4},
      {"gradient + 100 overflows, at the gradient", linea(10000, "pendenza, 0, 2147483647\r\npendenza, 100, 0\r\n"), 0,
       fallita, kLetturaFallita, 0, 4},
      {"position + 100 overflows", linea(10000, "pendenza, 2147483600, 0\r\n"), 0, fallita, kLetturaFallita, 0, 4},
      {"montagna distance overflows", linea(10000, "montagna, 0, -2147483600, 1\r\nmontagna, 200, 300, 1\r\n"), 0,
       fallita, kLetturaFallita, 0, 5},
      {"chainage sum overflows",
       "[generale]\r\nlunghezza percorso, 1000\r\nprogressiva tre, 2147483647, 0, 0\r\nprogressiva due, 1, 0, "
       "0\r\n[fine]\r\n",
       0, fallita, kLetturaFallita, 0, 0},
      {"row value missing at the end", linea(10000, "") + "pendenza, 0", 0, fallita, kLetturaFallita, 0, 5},
      {"row value not a number", linea(10000, "montagna, 100, 2O0, 1\r\n"), 0, fallita, kLetturaFallita, 0, 4},
      {"caption missing at the end, at the row", linea(10000, "") + "cartello_indicatore, 100\r\n", 0, fallita,
       kLetturaFallita, 0, 5},
      {"last field never examined", linea(10000, "") + "pendenza\r\n\r\n", 0, prosegui, kNessunErrore, 0, 0},
      {"general dash rule runs out", "[generale]\r\nlunghezza percorso, 1000\r\n-a\r\n-b\r\n", 0, fallita,
       kLetturaFallita, 0, 5},
      {"route dash rule meets the end", linea(10000, "") + "-a\r\n-b\r\n", 0, prosegui, kNessunErrore, 0, 0},
  };
  for (const caso_codice& c : casi) {
    compilato r = compila(c.testo, c.flag);
    EXPECT_EQ(r.esito, c.esito) << c.nome;
    EXPECT_EQ(r.s.codice_errore, c.codice) << c.nome;
    EXPECT_EQ(r.s.posizione_errore, c.posizione) << c.nome;
    EXPECT_EQ(ultimo_codice(r.s).riga, c.riga) << c.nome;
    if (c.codice != kNessunErrore) {
      EXPECT_EQ(ultimo_codice(r.s).origine, origine_errore::testo_linea) << c.nome;
    }
  }
}

TEST(LineCompiler, CellsFromTheRouteLength) {
  struct {
    int32_t lunghezza;
    size_t celle;
  } casi[] = {{93000, 2001}, {93025, 2001}, {93075, 2003}, {10000, 341}, {25, 141}, {0, 141}, {1000000, 20141}};
  for (const auto& c : casi) {
    compilato r = compila(linea(c.lunghezza, ""));
    EXPECT_EQ(r.s.celle.size(), c.celle) << c.lunghezza;
    EXPECT_EQ(r.s.tabella[84].fine, c.lunghezza);
    EXPECT_FALSE(r.s.griglia.esiste());
  }
  compilato r = compila("[generale]\r\nlunghezza percorso, 1000\r\nLUNGHEZZA PERCORSO, 10000\r\n[fine]\r\n", 1);
  EXPECT_EQ(r.s.celle.size(), 341u);
  EXPECT_EQ(r.s.griglia.punti, 17001);
  EXPECT_EQ(punti_griglia(r.s.griglia).y.size(), 17001u);
}

TEST(LineCompiler, GradientsHoldFromTheirCell) {
  compilato r = compila(linea(93000, "pendenza,   0,    0\r\npendenza,  1500,   8\r\n"));
  ASSERT_EQ(r.esito, prosegui);
  for (int c = 0; c <= 29; ++c) ASSERT_EQ(r.s.celle[c].pendenza, 100) << c;
  for (int c = 30; c <= 1997; ++c) ASSERT_EQ(r.s.celle[c].pendenza, 108) << c;
  for (int c = 1998; c <= 2000; ++c) EXPECT_EQ(r.s.celle[c].pendenza, 0) << c;
}

TEST(LineCompiler, GradientLowBitsAndSplitRow) {
  // A negative gradient keeps the low 8 bits of gradient + 100; a row split
  // after its keyword's comma reads the same.
  compilato r = compila(linea(10000, "pendenza,\r\n 0, -15\r\npendenza, 100, -101\r\npendenza, 200,\r\n0\r\n"));
  ASSERT_EQ(r.esito, prosegui);
  EXPECT_EQ(r.s.celle[0].pendenza, 85);
  EXPECT_EQ(r.s.celle[1].pendenza, 85);
  EXPECT_EQ(r.s.celle[2].pendenza, 255);
  EXPECT_EQ(r.s.celle[3].pendenza, 255);
  EXPECT_EQ(r.s.celle[4].pendenza, 100);
  EXPECT_EQ(r.s.celle[337].pendenza, 100);
  EXPECT_EQ(r.s.celle[338].pendenza, 0);
}

TEST(LineCompiler, FinalGradientsStayInsideTheCells) {
  // 341 rows in cell 1 carry the gradient cursor to n + 1: the end of the
  // phase writes nothing more.
  compilato r = compila(linea(10000, volte(341, "pendenza, 50, 0\r\n")));
  ASSERT_EQ(r.s.codice_errore, kNessunErrore);
  for (const cella& c : r.s.celle) ASSERT_EQ(c.pendenza, 100);
}

TEST(LineCompiler, MontagnaSpans) {
  compilato r = compila(linea(10000, "montagna,   1800,  3800,  11\r\nmontagna,  3950, 4000, 2\r\n"
                                     "montagna, 4151, 4300, 12\r\n"));
  ASSERT_EQ(r.esito, prosegui);
  for (int c = 0; c <= 340; ++c) {
    uint8_t atteso = 0;
    if (c >= 36 && c <= 75) atteso = 1;
    if (c >= 79 && c <= 79) atteso = 3;  // 3950 is 150 m after 3800
    if (c >= 83 && c <= 85) atteso = 2;  // 4151 is 151 m after 4000
    ASSERT_EQ(r.s.celle[c].montagna, atteso) << c;
    const bool segno = (c >= 39 && c <= 75 && (c - 39) % 4 == 0);
    ASSERT_EQ(r.s.celle[c].tipo, segno ? 11 : 0) << c;
  }
}

TEST(LineCompiler, MontagnaMarksOnlyFreeCells) {
  compilato r = compila(linea(10000, "cartello_indicatore, 1900, (A)\r\nmontagna, 1800, 3800, 11\r\n"
                                     "indicatori_vmax, 2100, 60, 70, 75, 0, 60, 70, 75, 0\r\n"));
  ASSERT_EQ(r.s.codice_errore, kNessunErrore);
  EXPECT_EQ(r.s.celle[39].tipo, 14);  // the sign's cell keeps its sign
  EXPECT_EQ(r.s.celle[43].tipo, 6);   // an indicator replaces the mark
  EXPECT_EQ(r.s.celle[47].tipo, 11);
}

TEST(LineCompiler, Indicators) {
  compilato r = compila(linea(40000, "indicatori_vmax, 500, 60, 70, 75, 0, 60, 70, 75, 0\r\n"
                                     "indicatori_vmax,  35400,  80,  85,  85,  0,  ,  ,  ,  0\r\n"
                                     "INDICATORI_VMAX, 1000, -5, 0, 0, 3, 7, 8, 12, -2\r\n"));
  ASSERT_EQ(r.esito, prosegui);
  EXPECT_EQ(r.s.celle[11], (cella{.tipo = 6, .dato_1 = 1212, .dato_2 = 1414, .dato_3 = 1515, .dato_4 = 0,
                                  .pendenza = 100}));
  EXPECT_EQ(r.s.celle[709], (cella{.tipo = 6, .dato_1 = 1600, .dato_2 = 1700, .dato_3 = 1700, .dato_4 = 0,
                                   .pendenza = 100}));
  // 7 / 5 - 100 = -98.6; 8 / 5 = 1.6; 12 / 5 = 2.4; 30 - 2.
  EXPECT_EQ(r.s.celle[21], (cella{.tipo = 6, .dato_1 = -99, .dato_2 = 2, .dato_3 = 2, .dato_4 = 28,
                                  .pendenza = 100}));
}

TEST(LineCompiler, IndicatorCodingFailureLeavesTheCell) {
  compilato r = compila(linea(10000, "montagna, 500, 1000, 11\r\nindicatori_vmax, 800, 1, 1, 1, 1, 1, 1, 1, 32760\r\n"));
  EXPECT_EQ(r.s.codice_errore, kLetturaFallita);
  EXPECT_EQ(r.s.celle[17].tipo, 11);
  EXPECT_EQ(r.s.celle[17].dato_1, 0);
}

TEST(LineCompiler, SignsTakeEntriesFrom80Down) {
  std::string righe;
  const char* didascalie[] = {"(Cippo Km.)( 20+000  )", "(Galleria)(Monte Ceras)", "(A)", "(B)", "(C)", "(D)"};
  for (int i = 0; i < 6; ++i) {
    righe += "cartello_indicatore,  " + std::to_string(19950 + 100 * i) + ",  " + didascalie[i] + "\r\n";
  }
  compilato r = compila(linea(93000, righe));
  ASSERT_EQ(r.esito, prosegui);
  EXPECT_EQ(r.s.celle[400].tipo, 14);
  EXPECT_EQ(r.s.celle[400].dato_1, 80);
  EXPECT_EQ(r.s.celle[402].dato_1, 79);
  EXPECT_EQ(r.s.celle[410].dato_1, 75);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(r.s.tabella[80 - i].nome, didascalie[i]);
  EXPECT_EQ(r.s.limite_stazioni, 74);
  EXPECT_EQ(r.s.tabella[74].nome, "");
}

TEST(LineCompiler, EightyOneSignsReachEntryZero) {
  compilato r = compila(linea(10000, ripeti("cartello_indicatore", 81, 100, ", (X)")));
  EXPECT_EQ(r.s.limite_stazioni, -1);
  EXPECT_EQ(r.s.tabella[0].nome, "(X)");
  EXPECT_EQ(r.s.celle[161].dato_1, 0);
}

TEST(LineCompiler, GeneralEntries) {
  compilato r = compila(
      "; borvale\r\n[generale]\r\nlunghezza percorso,  93000\r\n"
      "progressiva chilometrica uno,  100,  250,  1\r\nprogressiva chilometrica due,  50, 0, 0\r\n"
      "sfondo uno,  3\r\nsfondo due,  5\r\nsfondo tre,  7\r\n"
      "ripetizione segnali 4 codici,  0,  27000\r\n[curve]\r\n[fine]\r\n");
  ASSERT_EQ(r.esito, prosegui);
  const tabella_oggetti& t = r.s.tabella;
  EXPECT_EQ(t[84].fine, 93000);
  EXPECT_EQ(t[85].inizio, 3);
  EXPECT_EQ(t[85].posizione, 5);
  EXPECT_EQ(t[85].fine, 7);
  EXPECT_EQ(t[86].inizio, 0);
  EXPECT_EQ(t[86].fine, 27000);
  EXPECT_EQ(t[86].posizione, 4);
  // uno has the strict maximum; its third value 1 adds 100 to its second.
  EXPECT_EQ(t[81].inizio, 100);
  EXPECT_EQ(t[81].fine, 350);
  EXPECT_EQ(t[81].posizione, 1);
  EXPECT_EQ(t[82].inizio, 50);
  EXPECT_EQ(t[83].inizio, 0);
  EXPECT_EQ(r.s.limite_stazioni, 80);
}

TEST(LineCompiler, CabSignallingCodeCount) {
  struct {
    const char* riga;
    int32_t codici;
  } casi[] = {
      {"ripetizione segnali 4 codici, 0, 27000", 4},
      {"ripetizione segnali 9 codici, 0, 27000", 9},
      {"ripetizione segnali 94 codici, 0, 27000", 4},
      {"ripetizione segnali 4 codici, 1000, 0", 0},
  };
  for (const auto& c : casi) {
    compilato r = compila("[generale]\r\nlunghezza percorso, 30000\r\n" + std::string(c.riga) + "\r\n[fine]\r\n");
    EXPECT_EQ(r.s.codice_errore, kNessunErrore) << c.riga;
    EXPECT_EQ(r.s.tabella[86].posizione, c.codici) << c.riga;
  }
}

TEST(LineCompiler, KeywordCase) {
  // Capitals: the route length is recognised, a chainage keyword is not (its
  // numbers are passed over), and a background keyword is not.
  compilato r = compila(
      "[generale]\r\nLUNGHEZZA PERCORSO, 5000\r\nProgressiva chilometrica uno, 100, 250, 0\r\n"
      "SFONDO UNO, 4\r\n[Curve]\r\nPENDENZA, 0, 5\r\n[fine]\r\n");
  ASSERT_EQ(r.esito, prosegui);
  EXPECT_EQ(r.s.celle.size(), 241u);
  EXPECT_EQ(r.s.tabella[81].inizio, 0);
  EXPECT_EQ(r.s.tabella[83].inizio, 0);
  EXPECT_EQ(r.s.tabella[85].inizio, 0);
  EXPECT_EQ(r.s.celle[0].pendenza, 105);
}

TEST(LineCompiler, RouteKeywordsOnlyInTheRouteSection) {
  // A route row in the general section, and a general row in the route
  // section, are passed over.
  compilato r = compila(
      "[generale]\r\nlunghezza percorso, 5000\r\npendenza, 0, 5\r\n[curve]\r\nsfondo uno, 4\r\n[fine]\r\n");
  ASSERT_EQ(r.s.codice_errore, kNessunErrore);
  EXPECT_EQ(r.s.celle[0].pendenza, 100);
  EXPECT_EQ(r.s.tabella[85].inizio, 0);
}

TEST(LineCompiler, PreambleIsPassedOver) {
  compilato a = compila(linea(5000, "pendenza, 0, 3\r\n"));
  compilato b = compila("\r\n\r\nnota, con virgole\r\n  lunghezza percorso, 90000\r\n" + linea(5000, "pendenza, 0, 3\r\n"));
  EXPECT_EQ(a.s.celle, b.s.celle);
  EXPECT_EQ(a.s.tabella, b.s.tabella);
}

TEST(LineCompiler, GeneralDashRuleReplacesUpToTenTimes) {
  // Ten replacements: the eleventh field is examined even though it holds
  // "-", and it does not end the section because it begins with "-".
  std::string trattini;
  for (int i = 0; i < 10; ++i) trattini += "- nota\r\n";
  compilato r = compila("[generale]\r\nlunghezza percorso, 10000\r\n" + trattini +
                        "-[curve]\r\npendenza, 0, 5\r\n[pendenze]\r\npendenza, 1000, 7\r\n[fine]\r\n");
  ASSERT_EQ(r.s.codice_errore, kNessunErrore);
  EXPECT_EQ(r.s.celle[0].pendenza, 100);   // the first gradient row stood in the general section
  EXPECT_EQ(r.s.celle[20].pendenza, 107);

  // The field reached after ten replacements is examined.
  compilato l = compila("[generale]\r\n" + trattini + "-lunghezza percorso, 500\r\n[fine]\r\n");
  EXPECT_EQ(l.s.codice_errore, kNessunErrore);
  EXPECT_EQ(l.s.celle.size(), 151u);
}

TEST(LineCompiler, RouteDashRuleReplacesUpToTwice) {
  compilato r = compila(linea(10000, "-a\r\n-b\r\n-pendenza, 0, 5\r\n- c\r\npendenza, 1000, 7\r\n"));
  ASSERT_EQ(r.s.codice_errore, kNessunErrore);
  EXPECT_EQ(r.s.celle[0].pendenza, 105);
  EXPECT_EQ(r.s.celle[20].pendenza, 107);

  // Three dashes in a row: the third is examined and matches nothing, so
  // the gradient is read as a row of its own.
  compilato t = compila(linea(10000, "-a\r\n-b\r\n-c\r\npendenza, 0, 5\r\n"));
  EXPECT_EQ(t.s.celle[0].pendenza, 105);
}

TEST(LineCompiler, StopsAtCode15AndFinishesThePhase) {
  compilato r = compila(linea(10000, "pendenza, 0, 5\r\npendenza, 17000, 9\r\nmontagna, 0, 1000, 1\r\n"), 1);
  ASSERT_EQ(r.esito, prosegui);
  EXPECT_EQ(r.s.codice_errore, kFuoriPercorso);
  EXPECT_EQ(r.s.celle[0].montagna, 0);  // nothing after the failing row is read
  EXPECT_EQ(r.s.celle[337].pendenza, 105);
  EXPECT_EQ(punti_griglia(r.s.griglia).y[16998].reale, 16998.0);
}

TEST(LineCompiler, PlanOfAFreshLine) {
  compilato r = compila(linea(10000, "curvad6,  1450,  100\r\n"), 1);
  ASSERT_EQ(r.esito, prosegui);
  const griglia_linea g = punti_griglia(r.s.griglia);
  ASSERT_EQ(g.x.size(), 17001u);
  EXPECT_EQ(r.s.griglia.byte, codifica_griglia(g));
  EXPECT_EQ(g.x[0].tipo, tipo_variante::intero);
  EXPECT_EQ(g.y[1], (valore_variante{tipo_variante::intero, 1, 0.0}));
  EXPECT_EQ(g.x[1450].reale, 0.0);
  EXPECT_EQ(g.y[1450].reale, 1450.0);
  EXPECT_EQ(g.x[1451].reale, 0.003);
  EXPECT_EQ(g.x[16998].tipo, tipo_variante::reale);
  EXPECT_EQ(g.x[16999], valore_variante{});
  EXPECT_EQ(g.y[17000], valore_variante{});
  // Past the curve the line runs straight on.
  const double dx = g.x[1551].reale - g.x[1550].reale;
  EXPECT_EQ(g.x[1552].reale, g.x[1551].reale + dx);
}

TEST(LineCompiler, PlanWithoutBuildFlag) {
  compilato r = compila(linea(10000, "curvad6,  1450,  100\r\n"), 0);
  EXPECT_FALSE(r.s.griglia.esiste());
}

TEST(LineCompiler, StartsWithoutTheRecordsOfAnEarlierCompile) {
  compilato r = compila(linea(10000, ""), 1);
  ASSERT_TRUE(r.s.griglia.esiste());
  r.s.flag_griglia = 0;
  EXPECT_EQ(fase_linea(r.s, "[generale]\r\nsfondo uno, 3\r\n[fine]\r\n"), fallita);
  EXPECT_TRUE(r.s.celle.empty());
  EXPECT_FALSE(r.s.griglia.esiste());
}

TEST(LineCompiler, LongestLineWithPlan) {
  compilato r = compila(linea(1000000, "pendenza, 0, 2\r\ncurvas3, 500000, 2000\r\n"), 1);
  ASSERT_EQ(r.esito, prosegui);
  const griglia_linea g = punti_griglia(r.s.griglia);
  EXPECT_EQ(g.x.size(), 1007001u);
  EXPECT_EQ(g.x[1006998].tipo, tipo_variante::reale);
  EXPECT_EQ(g.x[1006999], valore_variante{});
  EXPECT_EQ(r.s.celle[20137].pendenza, 102);
}

}  // namespace
}  // namespace sb
