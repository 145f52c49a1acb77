#include "documents/filled_slowdown_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/line_list.h"
#include "test_support/document_scenario.h"

namespace sb {
namespace {

using prova::compila_in_memoria;
using prova::linea_cornasco;
using prova::servizio_cornasco;
using prova::righe_crlf;

const std::string kVuota = " |   |                            |            |          |         |            |";
const std::string kRegola = " |___|____________________________|____________|__________|_________|____________|";

// The small scenario with its slowdown line (21) replaced by these rows.
scenario con_rallentamenti(const std::vector<std::string>& righe) {
  std::vector<std::string> servizio = servizio_cornasco();
  servizio.erase(servizio.begin() + 20);
  servizio.insert(servizio.begin() + 20, righe.begin(), righe.end());
  return compila_in_memoria(righe_crlf(linea_cornasco()), righe_crlf(servizio));
}

TEST(FilledSlowdownOrder, SmallScenarioAsItsGoldenFile) {
  const std::string atteso =
      prova::leggi(std::string(SB_SOURCE_DIR) + "/documents/testdata/CORNASCO_3318_rallentamenti.txt");
  ASSERT_FALSE(atteso.empty());
  const documento_composto d = rallentamenti_compilati(prova::cornasco());
  EXPECT_EQ(d.errore, "");
  EXPECT_EQ(componi_documento(lista_da(d.righe)), atteso);
}

TEST(FilledSlowdownOrder, WithoutSlowdownsTheTableIsBlank) {
  const scenario s = con_rallentamenti({});
  ASSERT_EQ(s.codice_errore, 0);
  const std::vector<std::string> r = rallentamenti_compilati(s).righe;
  ASSERT_EQ(r.size(), 46u);
  EXPECT_EQ(r[4], "  Linea  CORNASCO");
  EXPECT_EQ(r[6], "  Si ordina al macchinista del treno 3318 di effettuare i seguenti rallentamenti");
  EXPECT_EQ(r[11], kRegola);
  for (size_t i = 12; i < 38; ++i) EXPECT_EQ(r[i], kVuota) << i;
  EXPECT_EQ(r[38], kRegola);
}

TEST(FilledSlowdownOrder, SlowdownsInRouteOrderWithTheStationsAroundThem) {
  const scenario s = con_rallentamenti({
      "rallentamento,  13000,  30,  400,  0,  1,  0",
      "rallentamento,  3500,  50,  650,  0,  0,  0",
      "rallentamento,  11000,  20,  200,  0,  0,  0",  // inside San Prospero's extent
      "rallentamento,  16000,  40,  0,  0,  0,  0",    // past the destination, no length
  });
  ASSERT_EQ(s.codice_errore, 0);
  const std::vector<voce_modulo> attese = {
      {{"Molino Sereno - Case Rosse"}, 3500, 50, 650},
      {{"San Prospero"}, 11000, 20, 200},
      {{"San Prospero - Valdirocca"}, 13000, 30, 400},
      {{"Valdirocca"}, 16000, 40, -1},
  };
  EXPECT_EQ(voci_rallentamenti(s), attese);
  const std::vector<std::string> r = rallentamenti_compilati(s).righe;
  EXPECT_EQ(r[12], " |  1|Molino Sereno - Case Rosse  |      3.500 |       50 |     650 |            |");
  EXPECT_EQ(r[15], " |  4|Valdirocca                  |     16.000 |       40 |         |            |");
  EXPECT_EQ(r[16], kVuota);
}

TEST(SlowdownForm, LongNamesTakeTwoLinesAndManySlowdownsLengthenTheTable) {
  std::vector<voce_modulo> voci(27, voce_modulo{{"Alfa - Beta"}, 1000, 60, 300});
  voci[1].stazioni = {"Santa Maria delle Grazie Alta", "Borgo San Michele Arcangelo"};
  const std::vector<std::string> r = righe_modulo("VALSECCA", "77", voci);
  ASSERT_EQ(r.size(), 46u + 2u);
  EXPECT_EQ(r[13], " |  2|Santa Maria delle Grazie Alt|      1.000 |       60 |     300 |            |");
  EXPECT_EQ(r[14], " |   |Borgo San Michele Arcangelo |            |          |         |            |");
  EXPECT_EQ(r[39], " | 27|Alfa - Beta                 |      1.000 |       60 |     300 |            |");
  EXPECT_EQ(r[40], kRegola);
  for (const std::string& riga : std::vector<std::string>(r.begin() + 8, r.begin() + 41)) {
    EXPECT_EQ(riga.size(), 82u) << riga;
  }
}

}  // namespace
}  // namespace sb
