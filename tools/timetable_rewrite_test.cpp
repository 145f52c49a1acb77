// The station times written into a service text: a changed station row is
// written anew as the builder lays it out, every other byte stays.
#include "tools/timetable_rewrite.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

TEST(RiscriviOrari, AChangedRowIsWrittenInTheBuildersLayout) {
  struct caso {
    const char* nome;
    std::string riga;  // the station row as the author wrote it, after "[stazioni]"
    luogo_testo dove;  // where the station's name begins
    int32_t secondi;
    std::string scritta;  // the row written in its place
  };
  const std::string prima = "[stazioni]\r\n- a note, kept\r\n";
  const std::string dopo = "\r\n[fine]\r\n";
  const caso casi[] = {
      {"commas, two-digit minutes and seconds",
       "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino",
       {origine_errore::testo_servizio, 3, 63}, (7 * 60 + 24) * 60,
       "stazione,    5000, 22,  400,  0, 0, 0,  4,1,0,  2,1,1,    0,   7,24, 0, Lago Serino"},
      {"blanks between the values, the keyword in capitals",
       "STAZIONE,  5000,  22,  400,  0, 0, 0,  4,1,0,  2,1,1,   30,  18   3   0, Val Morena",
       {origine_errore::testo_servizio, 3, 74}, (9 * 60 + 5) * 60 + 30,
       "stazione,    5000, 22,  400,  0, 0, 0,  4,1,0,  2,1,1,   30,   9, 5,30, Val Morena"},
      {"a row over two lines, a quoted name that needs no quotes",
       "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0,\r\n  7, 15, 0, \"Pratofondo\"",
       {origine_errore::testo_servizio, 4, 14}, (10 * 60 + 0) * 60 + 5,
       "stazione,       0,  4,  500,  1, 0, 0,  4,1,0,  2,1,1,    0,  10, 0, 5, Pratofondo"},
      {"a name with a comma keeps its quotes; the blanks after it stay",
       "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, \"Borgo, Alto\"   ",
       {origine_errore::testo_servizio, 3, 58}, 8 * 3600,
       "stazione,       0,  4,  500,  1, 0, 0,  4,1,0,  2,1,1,    0,   8, 0, 0, \"Borgo, Alto\"   "},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::string nuovo, errore;
    ASSERT_TRUE(riscrivi_orari(prima + c.riga + dopo, {{c.dove, c.secondi}}, nuovo, errore)) << errore;
    EXPECT_EQ(nuovo, prima + c.scritta + dopo);
  }
}

// Two rows changed at once; the row between them, whose time stays, keeps
// its own layout byte for byte.
TEST(RiscriviOrari, OnlyTheChangedRowsAreWritten) {
  const std::string tra = "stazione, 2000, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 07, 18, 00 , Mezzo\n";
  const std::string testo =
      "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, A\n" + tra +
      "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, B\n";
  std::string nuovo, errore;
  ASSERT_TRUE(riscrivi_orari(testo, {{{origine_errore::testo_servizio, 3, 63}, 8 * 3600},
                                     {{origine_errore::testo_servizio, 1, 58}, 7 * 3600 + 59}},
                             nuovo, errore))
      << errore;
  EXPECT_EQ(nuovo,
            "stazione,       0,  4,  500,  1, 0, 0,  4,1,0,  2,1,1,    0,   7, 0,59, A\n" + tra +
                "stazione,    5000, 22,  400,  0, 0, 0,  4,1,0,  2,1,1,    0,   8, 0, 0, B\n");
}

// No station row where the name is said: another kind of row, or a row the
// service reader takes for another kind though its keyword holds "stazione"
// (the kinds are tried in the reader's order, the signal before the station).
TEST(RiscriviOrari, NoStationRowWhereTheNameIsSaid) {
  struct caso {
    std::string testo;
    int colonna;
  };
  const caso casi[] = {
      {"segnale, 1300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0\n", 42},
      {"segnale stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino\n", 71},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.testo);
    std::string nuovo, errore;
    EXPECT_FALSE(riscrivi_orari(c.testo, {{{origine_errore::testo_servizio, 1, c.colonna}, 3600}}, nuovo, errore));
    EXPECT_EQ(errore, "no station row ends at line 1, column " + std::to_string(c.colonna));
  }
}

}  // namespace
}  // namespace sb
