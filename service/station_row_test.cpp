#include "service/station_row.h"

#include <string>
#include <vector>

#include "test_support/service_fixture.h"

namespace sb {
namespace {

using prova::c;
using prova::segno;

using voci_attese = std::vector<std::pair<int, oggetto>>;

struct caso {
  const char* nome;
  std::string corpo;
  prova::esito_atteso esito;
  voci_attese voci;  // entries 1 to 80; the others must stay cleared
  prova::celle_attese celle;
};

// A station cell: the stop point of entry k.
cella fermata(int16_t k) { return c(10, k); }

// Row layout: position, type, length, opzione_1, opzione_5, opzione_4,
// param_1, param_2, opzione_2, param_3, param_4, param_5, opzione_3,
// hours, minutes, seconds, name.
const caso kCasi[] = {
    {"a full row; the first station's options 4 and 5 are cleared after its extent",
     "stazione, 10000, 22, 800, 1, 1, 1, 4,1,0, 2,1,1, 30, 8, 15, 20, Nome Stazione\r\n",
     {},
     {{1, {.tipo = 22, .inizio = 9600, .fine = 10450, .posizione = 10000, .opzione_1 = 1, .nome = "Nome Stazione",
           .param_1 = 4, .param_2 = 1, .param_3 = 2, .param_4 = 1, .param_5 = 1, .opzione_3 = 30,
           .orario = 29720}}},
     {{208, fermata(1)}, {207, segno(81)}, {206, segno(82)}, {205, segno(83)}, {204, segno(84)}}},
    {"a station at 0 keeps only the marks above cell 1",
     "stazione, 0, 4, 500, 1, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, \"Borgo Alto\"\r\n",
     {},
     {{1, {.tipo = 4, .inizio = -250, .fine = 250, .posizione = 0, .opzione_1 = 1, .nome = "Borgo Alto"}}},
     {{4, fermata(1)}, {3, segno(81)}, {2, segno(82)}}},
    {"a second station keeps its options; option 4 moves its end 50 m",
     "stazione, 0, 4, 500, 1, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n"
     "stazione, 2000, 12, 600, 0, 5, 1, 0,0,0, 0,0,0, 0, 0,0,0, Beta\r\n",
     {},
     {{1, {.tipo = 4, .inizio = -250, .fine = 250, .posizione = 0, .opzione_1 = 1, .nome = "Alfa"}},
      {2, {.tipo = 12, .inizio = 1700, .fine = 2350, .posizione = 2000, .nome = "Beta", .opzione_4 = 1,
           .opzione_5 = 5}}},
     {{4, fermata(1)}, {3, segno(81)}, {2, segno(82)},
      {46, fermata(2)}, {45, segno(81)}, {44, segno(82)}, {43, segno(83)}, {42, segno(84)}}},
    {"option 5 is cleared below 600 m",
     "stazione, 1000, 26, 100, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n"
     "stazione, 3000, 26, 500, 0, 5, 0, 0,0,0, 0,0,0, 0, 0,0,0, Beta\r\n",
     {},
     {{1, {.tipo = 26, .inizio = 950, .fine = 1050, .posizione = 1000, .nome = "Alfa"}},
      {2, {.tipo = 26, .inizio = 2750, .fine = 3250, .posizione = 3000, .nome = "Beta"}}},
     {}},
    {"type 5: 150 m past the position, a stop point but no marks",
     "stazione, 800, 5, 300, 0, 0, 1, 0,0,0, 0,0,0, 0, 0,0,0, Cava\r\n",
     {},
     {{1, {.tipo = 5, .inizio = 500, .fine = 950, .posizione = 800, .nome = "Cava"}}},
     {{18, fermata(1)}}},
    {"type 7: a whole length either side, marks and a stop point",
     "stazione, 2000, 7, 400, 0, 0, 1, 0,0,0, 0,0,0, 0, 0,0,0, Molino\r\n",
     {},
     {{1, {.tipo = 7, .inizio = 1600, .fine = 2400, .posizione = 2000, .nome = "Molino"}}},
     {{47, fermata(1)}, {46, segno(81)}, {45, segno(82)}, {44, segno(83)}, {43, segno(84)}}},
    {"type 26: an extent and nothing in the cells",
     "stazione, 5000, 26, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Bivio\r\n",
     {},
     {{1, {.tipo = 26, .inizio = 4800, .fine = 5200, .posizione = 5000, .nome = "Bivio"}}},
     {}},
    {"the stop point overwrites whatever its cell held",
     "abbattimento, 1050, 0\r\nstazione, 1000, 4, 200, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Pieve\r\n",
     {},
     {{1, {.tipo = 4, .inizio = 900, .fine = 1100, .posizione = 1000, .nome = "Pieve"}}},
     {{21, fermata(1)}, {20, segno(81)}, {19, segno(82)}, {18, segno(83)}, {17, segno(84)}}},
    {"extents exactly 350 m apart are accepted",
     "stazione, 0, 4, 500, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n"
     "stazione, 700, 26, 200, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Beta\r\n",
     {},
     {{1, {.tipo = 4, .inizio = -250, .fine = 250, .posizione = 0, .nome = "Alfa"}},
      {2, {.tipo = 26, .inizio = 600, .fine = 800, .posizione = 700, .nome = "Beta"}}},
     {{4, fermata(1)}, {3, segno(81)}, {2, segno(82)}}},
    {"300 m apart is code 22",
     "stazione, 0, 4, 500, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n"
     "stazione, 650, 4, 200, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Beta\r\nsabbia, 3\r\n",
     {esito_fase_servizio::fermata, 22, 650, 4},
     {{1, {.tipo = 4, .inizio = -250, .fine = 250, .posizione = 0, .nome = "Alfa"}},
      {2, {.tipo = 4, .inizio = 550, .fine = 750, .posizione = 650, .nome = "Beta"}}},
     {{4, fermata(1)}, {3, segno(81)}, {2, segno(82)},
      {14, fermata(2)}, {13, segno(81)}, {12, segno(82)}, {11, segno(83)}, {10, segno(84)}}},
    {"a position off the 50 m grid is code 8", "stazione, 1025, 4, 200\r\n",
     {esito_fase_servizio::fermata, 8, 1025, 3}, {{1, {.posizione = 1025, .nome = ""}}}, {}},
    {"a length off the 100 m grid is code 9", "stazione, 1000, 4, 250\r\n",
     {esito_fase_servizio::fermata, 9, 1000, 3}, {{1, {.tipo = 4, .posizione = 1000, .nome = ""}}}, {}},
    {"a stop point in cell 1 or below is code 24",
     "stazione, 0, 4, 100, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n",
     {esito_fase_servizio::fermata, 24, 0, 3},
     {{1, {.tipo = 4, .inizio = -50, .fine = 50, .posizione = 0, .nome = "Alfa"}}},
     {}},
    {"a station that does not stop needs no stop point",
     "stazione, 0, 26, 100, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n",
     {},
     {{1, {.tipo = 26, .inizio = -50, .fine = 50, .posizione = 0, .nome = "Alfa"}}},
     {}},
    {"the last position the route check lets through",
     "stazione, 99200, 26, 100, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n",
     {},
     {{1, {.tipo = 26, .inizio = 99150, .fine = 99250, .posizione = 99200, .nome = "Alfa"}}},
     {}},
    {"beyond the route is code 15 and the read ends", "stazione, 99250, 26, 100\r\n",
     {esito_fase_servizio::completa, 15, 99250, 3}, {{1, {.posizione = 99250, .nome = ""}}}, {}},
    {"a stop point beyond the last cell is code 15, nothing marked",
     "stazione, 99200, 4, 2000, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n",
     {esito_fase_servizio::completa, 15, 99200, 3},
     {{1, {.tipo = 4, .inizio = 98200, .fine = 100200, .posizione = 99200, .nome = "Alfa"}}},
     {}},
    {"a row cut short keeps the values read so far", "stazione, 1000, 26, 100, 3, 4\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 3},
     {{1, {.tipo = 26, .posizione = 1000, .opzione_1 = 3, .nome = "", .opzione_5 = 4}}},
     {}},
    {"a type above 255 is code 25", "stazione, 1000, 256, 100\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {{1, {.posizione = 1000, .nome = ""}}}, {}},
    {"a parameter beyond 16 bits is code 25", "stazione, 1000, 26, 100, 0, 0, 0, 40000\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {{1, {.tipo = 26, .posizione = 1000, .nome = ""}}}, {}},
    {"an end that overflows 32 bits is code 25; the start is kept, the end and option 4 untouched",
     "stazione, 99200, 7, 2147384500, 0, 0, 1, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 3},
     {{1, {.tipo = 7, .inizio = -2147285300, .posizione = 99200, .nome = "Alfa", .opzione_4 = 1}}},
     {}},
    {"a start that overflows 32 bits is code 25; the end is kept, the start and option 4 untouched",
     "stazione, -2147483600, 5, 100, 0, 0, 1, 0,0,0, 0,0,0, 0, 0,0,0, Alfa\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 3},
     {{1, {.tipo = 5, .fine = -2147483450, .posizione = -2147483600, .nome = "Alfa", .opzione_4 = 1}}},
     {}},
    {"a time that overflows 32 bits is code 25",
     "stazione, 1000, 26, 100, 0, 0, 0, 0,0,0, 0,0,0, 0, 1000000,0,0, Alfa\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {{1, {.tipo = 26, .posizione = 1000, .nome = ""}}}, {}},
};

TEST(StationRow, GoldenTable) {
  for (const caso& k : kCasi) {
    SCOPED_TRACE(k.nome);
    scenario s = prova::con_celle(2000);
    esito_fase_servizio fine = fase_servizio(s, prova::testo(k.corpo));
    prova::verifica_esito(s, fine, k.esito);
    prova::verifica_celle(s, k.celle);
    tabella_oggetti previste{};
    for (const auto& [i, o] : k.voci) previste.at(static_cast<size_t>(i)) = o;
    for (int i = 0; i < kNumeroOggetti; ++i) {
      EXPECT_EQ(s.tabella[static_cast<size_t>(i)], previste[static_cast<size_t>(i)]) << "entry " << i;
    }
  }
}

// n station rows 1000 m apart that take no cell.
std::string stazioni(int n) {
  std::string t;
  for (int i = 1; i <= n; ++i) {
    t += "stazione, " + std::to_string(i * 1000) + ", 26, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Fermata\r\n";
  }
  return t;
}

struct caso_limite {
  int limite;  // limite_stazioni as the line leaves it
  int righe;   // station rows in the text
  prova::esito_atteso esito;
  int riempite;  // entries 1 to this hold stations
};

// Stations grow up from entry 1 towards the sign captions.
TEST(StationRow, Limit) {
  const caso_limite casi[] = {
      {80, 78, {}, 78},
      {80, 79, {esito_fase_servizio::fermata, 10, 0, 81}, 79},
      {74, 72, {}, 72},
      {74, 73, {esito_fase_servizio::fermata, 10, 0, 75}, 73},
      {1, 1, {esito_fase_servizio::fermata, 10, 0, 3}, 1},
      // 80 signs: entry 1 already holds a caption; nothing is stored.
      {0, 1, {esito_fase_servizio::fermata, 10, 0, 3}, 0},
      {-1, 1, {esito_fase_servizio::fermata, 10, 0, 3}, 0},
  };
  for (const caso_limite& k : casi) {
    SCOPED_TRACE(::testing::Message() << "limite " << k.limite << ", " << k.righe << " rows");
    scenario s = prova::con_celle(2000);
    s.limite_stazioni = k.limite;
    esito_fase_servizio fine = fase_servizio(s, prova::testo(stazioni(k.righe)));
    prova::verifica_esito(s, fine, k.esito);
    for (int i = 1; i <= 80; ++i) {
      EXPECT_EQ(s.tabella[static_cast<size_t>(i)].posizione, i <= k.riempite ? i * 1000 : 0) << "entry " << i;
    }
  }
}

}  // namespace
}  // namespace sb
