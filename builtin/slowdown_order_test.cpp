#include "builtin/slowdown_order.h"

#include <gtest/gtest.h>

#include "test_support/written_lines.h"

#include <string>
#include <vector>

namespace sb {
namespace {

std::vector<std::string> righe() { return righe_scritte(righe_rallentamenti()); }

TEST(SlowdownOrder, TheBlankFormLineByLine) {
  const auto r = righe();
  ASSERT_EQ(r.size(), 46u);
  const std::string regola = " |___|____________________________|____________|__________|_________|____________|";
  const std::string vuota = " |   |                            |            |          |         |            |";
  struct caso {
    size_t n;
    std::string testo;
  } casi[] = {
      {1, ""},
      {2, "                               Modulo M. 3"},
      {3, "                           ORDINE DI RALLENTAMENTO"},
      {4, " " + std::string(80, '_')},
      {5, "  Linea  xxxxxx xxxxxxx"},
      {6, ""},
      {7, "  Si ordina al macchinista del treno xxxxx di effettuare i seguenti rallentamenti"},
      {8, "  " + std::string(79, '_')},
      {9, " |   |                            |Inizio dopo |          |         |            |"},
      {10, " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|"},
      {11, " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |"},
      {12, regola},
      {39, regola},
      {40, ""},
      {41, "              Prescrizioni specifiche"},
      {42, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {43, " B - Interessa anche la stazione di......."},
      {44, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {45, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {46, "     i giorni esclusi i seguenti:........."},
  };
  for (const caso& c : casi) EXPECT_EQ(r.at(c.n - 1), c.testo) << "line " << c.n;
  for (size_t n = 13; n <= 38; ++n) EXPECT_EQ(r.at(n - 1), vuota) << "line " << n;
  EXPECT_EQ(r.at(1).size(), 42u);
  EXPECT_EQ(r.at(2).size(), 50u);
  for (size_t n : {4u, 7u, 8u}) EXPECT_EQ(r.at(n - 1).size(), 81u) << n;
  for (size_t n = 9; n <= 39; ++n) EXPECT_EQ(r.at(n - 1).size(), 82u) << n;
}

}  // namespace
}  // namespace sb
