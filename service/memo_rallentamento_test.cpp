#include "service/memo_rallentamento.h"

#include "test_support/service_fixture.h"

namespace sb {
namespace {

using prova::c;

using caso = prova::caso_celle;

// Row layout: posizione, v, l, f_tt, f_ta, d_v.
const caso kCasi[] = {
    {"at 3000 without approach cells", "rallentamento, 3000, 60, 300, 7, 0, 0\r\n", {},
     {},
     {{61, c(3, 60, 0, 7)}, {67, c(2, 60, 0, 7)}, {37, c(4, 60)}}},
    {"at 3000 with approach cells", "rallentamento, 3000, 60, 300, 7, 1, 0\r\n", {},
     {},
     {{61, c(3, 60, 0, 7)}, {67, c(2, 60, 0, 7)}, {37, c(4, 60)},
      {36, c(5, 1)}, {35, c(5, 2)}, {34, c(5, 3)}, {33, c(5, 4)}}},
    {"d_v goes to every point", "rallentamento, 3000, 60, 300, 7, 1, 9\r\n", {},
     {},
     {{61, c(3, 60, 9, 7)}, {67, c(2, 60, 9, 7)}, {37, c(4, 60, 9)},
      {36, c(5, 1, 1)}, {35, c(5, 2, 2)}, {34, c(5, 3, 3)}, {33, c(5, 4, 4)}}},
    {"at 1500 no warning point even with f_ta", "rallentamento, 1500, 30, 300, 0, 1, 0\r\n", {},
     {},
     {{31, c(3, 30)}, {37, c(2, 30)}}},
    {"at 1550 the warning point is cell 8", "rallentamento, 1550, 30, 300, 0, 1, 0\r\n", {},
     {},
     {{32, c(3, 30)}, {38, c(2, 30)}, {8, c(4, 30)}, {7, c(5, 1)}, {6, c(5, 2)}, {5, c(5, 3)}, {4, c(5, 4)}}},
    {"a warning point at a half cell keeps its approach cells right before it",
     "rallentamento, 3025, 60, 300, 0, 1, 0\r\n", {},
     {},
     {{62, c(3, 60)}, {68, c(2, 60)}, {38, c(4, 60)}, {37, c(5, 1)}, {36, c(5, 2)}, {35, c(5, 3)}, {34, c(5, 4)}}},
    {"a length of 0 leaves the start on the end's cell", "rallentamento, 1000, 40, 0, 5, 0, 0\r\n", {},
     {},
     {{21, c(3, 40, 0, 5)}}},
    {"values keep their low 16 bits", "rallentamento, 1000, 65537, 500, 65538, 0, 65539\r\n", {},
     {},
     {{21, c(3, 1, 3, 2)}, {31, c(2, 1, 3, 2)}}},
    {"the montagna filler counts as free", "rallentamento, 3000, 60, 300, 0, 1, 0\r\n",
     {{61, c(11)}, {67, c(11)}, {37, c(11)}, {33, c(11)}},
     {},
     {{61, c(3, 60)}, {67, c(2, 60)}, {37, c(4, 60)}, {36, c(5, 1)}, {35, c(5, 2)}, {34, c(5, 3)}, {33, c(5, 4)}}},
    {"warning cell taken: 17", "rallentamento, 3000, 60, 300, 0, 1, 0\r\n", {{37, c(1)}},
     {esito_fase_servizio::fermata, 17, 3000, 3}, {{37, c(1)}}},
    {"start cell taken: 18", "rallentamento, 3000, 60, 300, 0, 1, 0\r\n", {{61, c(12, 180)}},
     {esito_fase_servizio::fermata, 18, 3000, 3}, {{61, c(12, 180)}}},
    {"end cell taken: 19", "rallentamento, 3000, 60, 300, 0, 1, 0\r\n", {{67, c(10, 1)}},
     {esito_fase_servizio::fermata, 19, 3000, 3}, {{67, c(10, 1)}}},
    {"an approach cell taken: 20 leaves start, end and warning written",
     "rallentamento, 3000, 60, 300, 7, 1, 0\r\n", {{34, c(13)}},
     {esito_fase_servizio::fermata, 20, 3000, 3},
     {{61, c(3, 60, 0, 7)}, {67, c(2, 60, 0, 7)}, {37, c(4, 60)}, {34, c(13)}}},
    {"an approach cell taken does not matter without f_ta", "rallentamento, 3000, 60, 300, 0, 0, 0\r\n",
     {{34, c(13)}},
     {},
     {{61, c(3, 60)}, {67, c(2, 60)}, {37, c(4, 60)}, {34, c(13)}}},
    {"an end beyond the last cell is code 15 before any write", "rallentamento, 3000, 60, 20000, 0, 1, 0\r\n", {},
     {esito_fase_servizio::completa, 15, 3000, 3}, {}},
    {"an end before cell 0 is code 15", "rallentamento, 1000, 60, -2000, 0, 0, 0\r\n", {},
     {esito_fase_servizio::completa, 15, 1000, 3}, {}},
    {"a start before cell 0 is code 15", "rallentamento, -500, 60, 600, 0, 0, 0\r\n", {},
     {esito_fase_servizio::completa, 15, -500, 3}, {}},
    {"an end that overflows 32 bits is code 25", "rallentamento, 3000, 60, 2147483000, 0, 0, 0\r\n", {},
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}},
};

TEST(MemoRallentamento, GoldenTable) {
  for (const caso& k : kCasi) prova::verifica_caso(k);
}

}  // namespace
}  // namespace sb
