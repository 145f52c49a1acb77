#include "service/memo_segnale.h"

#include "test_support/service_fixture.h"

namespace sb {
namespace {

using prova::c;
using prova::segno;

using caso = prova::caso_celle;

// Row layout: posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo.
const caso kCasi[] = {
    {"a signal at 1300 with its four marks", "segnale, 1300, 2, 1, 2, 3, 4, 0, 5, 6, 7, 50\r\n", {},
     {},
     {{27, c(1, 15, 26, 37, 46, 101)}, {25, segno(61)}, {23, segno(62)}, {21, segno(63)}, {19, segno(64)}}},
    {"tempo 255 with sx 2 is kept", "segnale, 1300, 2, 0, 0, 0, 0, 1, 0, 0, 0, 255\r\n", {},
     {},
     {{27, c(1, 0, 0, 0, 7, 255)}, {25, segno(71)}, {23, segno(72)}, {21, segno(73)}, {19, segno(74)}}},
    {"tempo 0 with sx 2 stays 0", "segnale, 1300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0\r\n", {},
     {},
     {{27, c(1, 0, 0, 0, 6, 0)}, {25, segno(61)}, {23, segno(62)}, {21, segno(63)}, {19, segno(64)}}},
    {"with sx 1 tempo_segnale is 0 whatever tempo is", "segnale, 1300, 1, 9, 9, 9, 9, 2, 9, 9, 9, 200\r\n", {},
     {},
     {{27, c(1, 99, 99, 99, 95, 0)}, {25, segno(51)}, {23, segno(52)}, {21, segno(53)}, {19, segno(54)}}},
    {"the lowest position that keeps the marks on the route", "segnale, 325, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0\r\n", {},
     {},
     {{8, c(1, 0, 0, 0, 1)}, {6, segno(11)}, {4, segno(12)}, {2, segno(13)}, {0, segno(14)}}},
    {"below 325 the last mark would fall before cell 0", "segnale, 324, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0\r\n", {},
     {esito_fase_servizio::completa, 15, 324, 3}, {}},
    {"a negative position", "segnale, -5000, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0\r\n", {},
     {esito_fase_servizio::completa, 15, -5000, 3}, {}},
    {"the montagna filler counts as free and is replaced", "segnale, 1300, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0\r\n",
     {{27, c(11)}},
     {},
     {{27, c(1, 11, 11, 11, 0)}, {25, segno(1)}, {23, segno(2)}, {21, segno(3)}, {19, segno(4)}}},
    {"marks overwrite only preavviso, whatever the cell holds", "segnale, 1300, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0\r\n",
     {{25, c(12, 180)}},
     {},
     {{27, c(1, 0, 0, 0, 2)}, {25, c(12, 180, 0, 0, 0, 0, 21)}, {23, segno(22)}, {21, segno(23)}, {19, segno(24)}}},
    {"a taken cell is code 16 and stops the read", "segnale, 1300, 2, 1, 2, 3, 4, 0, 5, 6, 7, 50\r\nsabbia, 9\r\n",
     {{27, c(10, 3)}},
     {esito_fase_servizio::fermata, 16, 1300, 3},
     {{27, c(10, 3)}}},
    {"values of 16 bits and more keep their low 16 bits", "segnale, 1300, 0, 7000, 0, 0, 0, 0, 0, 0, 0, 0\r\n", {},
     {},
     {{27, c(1, 4464)}, {25, segno(1)}, {23, segno(2)}, {21, segno(3)}, {19, segno(4)}}},
    {"preavviso keeps the low 8 bits", "segnale, 1300, 9, 0, 0, 0, 0, 0, 0, 0, 0, 300\r\n", {},
     {},
     {{27, c(1, 0, 0, 0, 27, 0)}, {25, segno(15)}, {23, segno(16)}, {21, segno(17)}, {19, segno(18)}}},
    {"a coded value that overflows 32 bits is code 25",
     "segnale, 1300, 0, 300000000, 0, 0, 0, 0, 0, 0, 0, 0\r\n", {},
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}},
    {"dato_4 overflows in its written order, rapp * 10 + sx * 3 before + dx",
     "segnale, 1300, 3, 0, 0, 0, 214748364, -10, 0, 0, 0, 0\r\n", {},
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}},
    {"a row cut short by the end of the text is code 25, at the row", "segnale, 1300, 0, 1\r\n", {},
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}},
};

TEST(MemoSegnale, GoldenTable) {
  for (const caso& k : kCasi) prova::verifica_caso(k);
}

// The position test of the route: cell N must reach (p + 100) / 50.
TEST(MemoSegnale, RouteEnd) {
  scenario s = prova::con_celle(340);
  EXPECT_EQ(fase_servizio(s, prova::testo("segnale, 16900, 0,0,0,0,0,0,0,0,0,0\r\n")),
            esito_fase_servizio::completa);
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.celle[339].tipo, 1);

  scenario t = prova::con_celle(340);
  EXPECT_EQ(fase_servizio(t, prova::testo("segnale, 16901, 0,0,0,0,0,0,0,0,0,0\r\nsabbia, 5\r\n")),
            esito_fase_servizio::completa);
  EXPECT_EQ(t.codice_errore, 15);
  EXPECT_EQ(t.posizione_errore, 16901);
  EXPECT_EQ(t.tabella[kOggettoTreno].param_1, 0) << "the read ends at the refused row";
}

// A code left pending by the line phase stops the read at the first signal,
// which then gives its position.
TEST(MemoSegnale, PendingCodeStopsAtTheSignal) {
  scenario s = prova::con_celle(340);
  s.codice_errore = 15;
  s.posizione_errore = 99901;
  EXPECT_EQ(fase_servizio(s, prova::testo("sabbia, 4\r\nsegnale, 1300, 0,0,0,0,0,0,0,0,0,0\r\nsabbia, 9\r\n")),
            esito_fase_servizio::fermata);
  EXPECT_EQ(s.codice_errore, 15);
  EXPECT_EQ(s.posizione_errore, 1300);
  EXPECT_EQ(s.tabella[kOggettoTreno].param_1, 4);
  EXPECT_EQ(s.celle[27].tipo, 1) << "the signal itself is recorded";
}

}  // namespace
}  // namespace sb
