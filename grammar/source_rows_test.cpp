#include "grammar/source_rows.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(IndiceRighe, FindsRowsAfterGeneraleByKeywordAndPosition) {
  indice_righe r;
  r.aggiungi(1,
             "segnale, 100, before [generale]: skipped\r\n"  // 1
             "[GENERALE]\r\n"                                 // 2
             "Segnale,  3900,  2, 1\r\n"                      // 3
             "- segnale, 5000, a note: skipped\r\n"           // 4
             "indicatori_vmax, 700, 60\r"                     // 5 (CR alone)
             "cartello_indicatore, 950, (Km)\n"               // 6 (LF alone)
             "stazione, x, 4\r\n"                             // 7: no position
             "\tCURVAD6 ,\t1450 ,  100  \r\n"                 // 8
             "velocita,    4500,    50");                     // 9, no line end
  struct caso {
    const char* parola;
    int64_t metri, tolleranza;
    int32_t riga;  // 0: none
  };
  const caso casi[] = {
      {"segnale", 3900, 0, 3},       {"segnale", 3925, 25, 3},     {"segnale", 3926, 25, 0},
      {"segnale", 100, 1000, 0},     {"segnale", 5000, 0, 0},      {"indicatori_vmax", 700, 0, 5},
      {"cartello_indicatore", 700, 0, 0}, {"cartello_indicatore", 950, 0, 6}, {"stazione", 0, 100000, 0},
      {"curva", 1450, 0, 8},         {"velocita", 4500, 0, 9},     {"pendenza", 0, 100000, 0},
  };
  for (const caso& c : casi) {
    const riga_descrizione* d = r.trova(c.parola, c.metri, c.tolleranza);
    EXPECT_EQ(d == nullptr ? 0 : d->riga, c.riga) << c.parola << " " << c.metri;
  }
  const riga_descrizione* d = r.trova("curva", 1450, 0);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->file, 1);
  EXPECT_EQ(d->testo, "CURVAD6 ,\t1450 ,  100");
}

TEST(IndiceRighe, TheNearestRowWinsAndTextsAreUtf8) {
  indice_righe r;
  r.aggiungi(0, "[generale]\r\nstazione, 1000, 4, Citt\xE0\r\n");
  r.aggiungi(1, "[generale]\r\nstazione, 1100, 4, Borgo\r\n");
  EXPECT_EQ(r.trova("stazione", 1040, 100)->testo, "stazione, 1000, 4, Citt\xC3\xA0");
  EXPECT_EQ(r.trova("stazione", 1060, 100)->file, 1);
  EXPECT_EQ(r.trova("stazione", 1300, 100), nullptr);
}

}  // namespace
}  // namespace sb
