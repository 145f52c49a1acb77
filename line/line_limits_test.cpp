// The largest line the format takes: a route of 1 000 000 m with its plan,
// thousands of route rows, every montagna and sign entry in use.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "line/line_compiler.h"
#include "scenario/binary_files.h"
#include "scenario/error_codes.h"
#include "scenario/plan_encoding.h"
#include "test_support/largest_line_fixture.h"
#include "test_support/line_texts.h"

namespace sb {
namespace {

using prova::aggiunte;
using prova::kLunghezza;
using prova::linea_massima;

TEST(LineLimits, TheLargestLineCompilesWhole) {
  const std::string testo = linea_massima();
  ASSERT_GT(testo.size(), 300000u);
  const prova::linea_compilata r = prova::compila_linea(testo, 1);
  ASSERT_EQ(r.esito, esito_fase_linea::prosegui);
  const scenario& s = r.s;
  EXPECT_EQ(s.codice_errore, kNessunErrore);

  // Cells 0 to nearest(1 007 000 / 50) and plan points 0 to 1 007 000.
  ASSERT_EQ(s.celle.size(), 20141u);
  const griglia_linea g = punti_griglia(s.griglia);
  ASSERT_EQ(g.x.size(), 1007001u);
  ASSERT_EQ(g.y.size(), 1007001u);
  EXPECT_EQ(s.griglia.byte.size(), 20u * kLunghezza + 139964u);
  EXPECT_EQ(s.griglia.byte, codifica_griglia(g));
  int64_t vuoti = 0;
  for (size_t k = 0; k <= 1006998; ++k) vuoti += g.x[k].tipo == tipo_variante::vuoto;
  EXPECT_EQ(vuoti, 0);
  EXPECT_EQ(g.x[1006999], valore_variante{});

  // The last gradient (row 10 000: 10 000 % 41 - 20 = -0) runs to cell n - 3.
  EXPECT_EQ(s.celle[20137].pendenza, 100 + 10000 % 41 - 20);
  EXPECT_EQ(s.celle[20138].pendenza, 0);
  EXPECT_EQ(s.celle[20136].pendenza, s.celle[20000].pendenza);

  // Every sign entry 80 down to 0 holds a caption.
  EXPECT_EQ(s.limite_stazioni, -1);
  EXPECT_EQ(s.tabella[80].nome, "(Cippo Km.)( 0 )");
  EXPECT_EQ(s.tabella[0].nome, "(Cippo Km.)( 80 )");
}

// The measurement script makes the largest line with awk: the same bytes.
TEST(LineLimits, TheScriptsLargestLineIsTheFixture) {
  const std::string comando = std::string("awk -f '") + SB_SOURCE_DIR + "/scripts/largest_line.awk'";
  FILE* uscita = popen(comando.c_str(), "r");
  ASSERT_NE(uscita, nullptr);
  std::string testo;
  char blocco[65536];
  for (size_t n; (n = fread(blocco, 1, sizeof blocco, uscita)) > 0;) testo.append(blocco, n);
  ASSERT_EQ(pclose(uscita), 0);
  EXPECT_TRUE(testo == linea_massima()) << "the awk script and test_support/largest_line_fixture.h differ";
}

TEST(LineLimits, OneStepPastEachLimit) {
  struct caso {
    const char* nome;
    aggiunte a;
    esito_fase_linea esito;
    int32_t codice;
    int32_t posizione;
  };
  const auto ritorna = esito_fase_linea::ritorna;
  const caso casi[] = {
      {"route of 1 000 001 m", {1000001, "", "", ""}, ritorna, kLunghezzaEccessiva, 0},
      {"a curve onto plan point 1 000 000", {kLunghezza, "curvad1, 999999, 1\r\n", "", ""}, ritorna,
       kCurvaNonValida, 0},
      {"an 81st montagna", {kLunghezza, "", "montagna, 998000, 999000, 11\r\n", ""}, ritorna, kTroppeMontagne,
       998000},
      {"an 82nd sign", {kLunghezza, "", "", "cartello_indicatore, 999000, ultimo\r\n"}, ritorna, kTroppiCartelli,
       999000},
  };
  for (const caso& c : casi) {
    const prova::linea_compilata r = prova::compila_linea(linea_massima(c.a), 1);
    EXPECT_EQ(r.esito, c.esito) << c.nome;
    EXPECT_EQ(r.s.codice_errore, c.codice) << c.nome;
    EXPECT_EQ(r.s.posizione_errore, c.posizione) << c.nome;
  }
}

}  // namespace
}  // namespace sb
