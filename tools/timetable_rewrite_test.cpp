// The station times written into a service text: only the three time fields'
// bytes change, wherever and however the row writes them.
#include "tools/timetable_rewrite.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

TEST(RiscriviOrari, OnlyTheTimeFieldsChange) {
  struct caso {
    const char* nome;
    std::string testo;
    luogo_testo dove;  // where the station's name begins
    int32_t secondi;
    std::string atteso;
  };
  const std::string prima = "[stazioni]\r\n";
  const caso casi[] = {
      {"commas, two-digit minutes and seconds",
       prima + "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino\r\n[fine]\r\n",
       {origine_errore::testo_servizio, 2, 63}, (7 * 60 + 24) * 60,
       prima + "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 24, 00, Lago Serino\r\n[fine]\r\n"},
      {"blanks between the values, columns kept",
       prima + "stazione,  5000,  22,  400,  0, 0, 0,  4,1,0,  2,1,1,   30,  18   3   0, Val Morena\n",
       {origine_errore::testo_servizio, 2, 74}, (9 * 60 + 5) * 60 + 30,
       prima + "stazione,  5000,  22,  400,  0, 0, 0,  4,1,0,  2,1,1,   30,   9   5   30, Val Morena\n"},
      {"a row over two lines, a quoted name",
       prima + "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0,\n  7, 15, 0, \"Pratofondo\"\n",
       {origine_errore::testo_servizio, 3, 14}, (10 * 60 + 0) * 60 + 5,
       prima + "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0,\n  10, 00, 5, \"Pratofondo\"\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::string nuovo, errore;
    ASSERT_TRUE(riscrivi_orari(c.testo, {{c.dove, c.secondi}}, nuovo, errore)) << errore;
    EXPECT_EQ(nuovo, c.atteso);
  }
}

TEST(RiscriviOrari, TwoStationsAtOnce) {
  const std::string testo =
      "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, A\n"
      "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, B\n";
  std::string nuovo, errore;
  ASSERT_TRUE(riscrivi_orari(testo, {{{origine_errore::testo_servizio, 2, 63}, 8 * 3600},
                                     {{origine_errore::testo_servizio, 1, 58}, 7 * 3600 + 59}},
                             nuovo, errore))
      << errore;
  EXPECT_EQ(nuovo,
            "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 00, 59, A\n"
            "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 8, 00, 00, B\n");
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
