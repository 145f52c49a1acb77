#include "documents/generic_train_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/line_list.h"
#include "test_support/document_scenario.h"

namespace sb {
namespace {

using prova::compila_in_memoria;
using prova::cornasco_con;
using prova::righe_crlf;

std::string golden(const std::string& nome) {
  return prova::leggi(std::string(SB_SOURCE_DIR) + "/documents/testdata/" + nome);
}

// The sheet's route rows that hold a location or a time, page after page.
std::vector<std::string> righe_percorso(const std::vector<std::string>& righe) {
  const std::string vuota = " |     |     |          |     |                            |                |     |";
  std::vector<std::string> out;
  for (const std::string& r : righe) {
    if (r.size() == 83 && r.rfind(" |", 0) == 0 && r[7] == '|' && r != vuota && r.find("Vel.") == std::string::npos &&
        r.find("Lim.") == std::string::npos && r.find("_____|_____") == std::string::npos) {
      out.push_back(r);
    }
  }
  return out;
}

// A warning that a text was cut, at the line and column of its field.
diagnostica tagliato(origine_errore origine, int32_t riga, int32_t colonna, std::string messaggio) {
  return avviso_documento(genere_avviso::testo_tagliato, {origine, riga, colonna}, std::move(messaggio));
}

TEST(GenericTrainSheet, SmallScenarioAsItsGoldenFile) {
  const scenario s = prova::cornasco();
  ASSERT_EQ(s.codice_errore, 0);
  const documento_composto d = scheda_compilata(s);
  EXPECT_EQ(d.errore, "");
  EXPECT_TRUE(d.avvisi.empty());
  EXPECT_EQ(componi_documento(lista_da(d.righe)), golden("CORNASCO_3318_scheda_treno.txt"));
}

TEST(GenericTrainSheet, LongNamesAreCutAtTheirColumnWithARemarkNamingTheRow) {
  const std::string origine = "Pontevecchio Alto della Valle Scura";  // 35
  const std::string medio = "Molino Sereno sul Torrente Aspro";     // 32
  const scenario s = cornasco_con(
      {{14, "stazione,  0, 4, 400, 1, 0, 0, 4,1,0, 2,1,1, 1, 7, 0, 0, " + origine},
       {15, "stazione,  2500, 12, 300, 0, 0, 0, 1,1,0, 4,1,1, 30, 7, 4, 30, " + medio},
       {19, "stazione,  15000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 60, 7, 20, 30, Valdirocca di Mezzo Monte"}},
      {{21, "cartello_indicatore,  12500,   (IMBOCCO GALLERIA)( MONTE CASTELLACCIO )"}},
      "CORNASCO E VALDIROCCA", "331800042");
  ASSERT_EQ(s.codice_errore, 0);
  const documento_composto d = scheda_compilata(s);
  const std::vector<diagnostica> attesi = {
      tagliato(origine_errore::nessuna, 0, 0,
          "the train number is longer than the 8 characters of the train sheet's header: cut to \"33180004\""),
      tagliato(origine_errore::testo_servizio, 14, 58,
          "the station name is longer than the 22 characters of the train sheet's header: cut to "
          "\"Pontevecchio Alto dell\""),
      tagliato(origine_errore::testo_servizio, 19, 65,
          "the station name is longer than the 22 characters of the train sheet's header: cut to "
          "\"Valdirocca di Mezzo Mo\""),
      tagliato(origine_errore::nessuna, 0, 0,
          "the line name is longer than the 19 characters of the train sheet's LINEA box: cut to "
          "\"CORNASCO E VALDIROC\""),
      tagliato(origine_errore::testo_servizio, 14, 58,
          "the station name is longer than the 28 characters of the train sheet's Localita' column: cut to "
          "\"Pontevecchio Alto della Vall\""),
      tagliato(origine_errore::testo_servizio, 15, 64,
          "the station name is longer than the 28 characters of the train sheet's Localita' column: cut to "
          "\"Molino Sereno sul Torrente A\""),
      tagliato(origine_errore::testo_linea, 21, 32,
          "the sign caption, worded \"IMBOCCO GALLERIA MONTE CASTELLACCIO\", is longer than the 28 characters of "
          "the train sheet's Localita' column: cut to \"IMBOCCO GALLERIA MONTE CASTE\""),
  };
  EXPECT_EQ(d.avvisi, attesi);
  const std::vector<std::string> percorso = righe_percorso(d.righe);
  ASSERT_FALSE(percorso.empty());
  EXPECT_EQ(percorso[0], " |  80 |     |    0.000 |     |Pontevecchio Alto della Vall|          07.00 |     |");
  EXPECT_EQ(d.righe[4], " |   TRENO n.33180004|                   da: Pontevecchio Alto dell|  part. 07.00 |");
  EXPECT_EQ(d.righe[9], " |CORNASCO E VALDIROC|              |         3         |");
  for (const std::string& r : d.righe) EXPECT_LE(r.size(), 83u) << r;
}

// A service of n stations 1000 m apart, with the speed limit changing
// halfway between every two.
std::vector<std::string> servizio_lungo(int n) {
  std::vector<std::string> r = {"[generale]", "numero vetture, 2", "percentuale massa frenata, 100", "orologio, 5 0 0"};
  for (int i = 0; i < n; ++i) {
    r.push_back("velocita, " + std::to_string(i * 1000) + ", 60");
    r.push_back("velocita, " + std::to_string(i * 1000 + 500) + ", 90");
  }
  for (int i = 0; i < n; ++i) {
    const int minuti = i * 2;
    r.push_back("stazione, " + std::to_string(i * 1000) + ", 12, 300, 0,0,0, 1,1,0, 4,1,1, 30, " +
                std::to_string(5 + minuti / 60) + ", " + std::to_string(minuti % 60) + ", 30, Fermata " +
                std::to_string(i + 1));
  }
  r.push_back("[fine]");
  return r;
}

std::vector<std::string> linea_lunga(int metri) {
  return {"[generale]", "lunghezza percorso, " + std::to_string(metri), "[fine]"};
}

// A quoted name is pointed at where its characters begin, past the quote.
TEST(GenericTrainSheet, AQuotedNameIsPointedAtPastItsQuote) {
  const scenario s = cornasco_con(
      {{15, "stazione,  2500, 12, 300, 0, 0, 0, 1,1,0, 4,1,1, 30, 7, 4, 30, \"Molino Sereno, sul Torrente Aspro\""}},
      {}, "CORNASCO", "3318");
  ASSERT_EQ(s.codice_errore, 0);
  const documento_composto d = scheda_compilata(s);
  ASSERT_EQ(d.avvisi.size(), 1u);
  EXPECT_EQ(d.avvisi[0].luogo(), (luogo_testo{origine_errore::testo_servizio, 15, 65}));
}

TEST(GenericTrainSheet, ManyStationsTakeAsManyPagesAsTheyNeed) {
  // 78 stations (as many as the table takes) and 77 speed changes between
  // them: 155 rows, five pages.
  const scenario s = compila_in_memoria(righe_crlf(linea_lunga(80000)), righe_crlf(servizio_lungo(78)));
  ASSERT_EQ(s.codice_errore, 0);
  const documento_composto d = scheda_compilata(s);
  EXPECT_EQ(d.errore, "");
  ASSERT_EQ(d.righe.size(), 250u);
  for (size_t p = 0; p < 5; ++p) {
    // The first page starts after two empty lines, the others after a footer.
    const size_t inizio = p == 0 ? 2 : 3 + 50 * p;
    const std::string titolo = d.righe[inizio + 1];
    EXPECT_NE(titolo.find("SCHEDA " + std::to_string(p + 1) + "/5 "), std::string::npos) << titolo;
    EXPECT_EQ(titolo.size(), 83u);
    EXPECT_EQ(d.righe[inizio + 2].substr(0, 22), " |   TRENO n.3318    |") << p;
  }
  const std::vector<std::string> percorso = righe_percorso(d.righe);
  ASSERT_EQ(percorso.size(), 155u - 4u);  // the last row of pages 1 to 4 closes its table
  EXPECT_EQ(d.righe[47], " |__90_|_____|___15.500_|_____|____________________________|________________|_____|");
  EXPECT_EQ(percorso.front(), " |  60 |     |    0.000 |     |Fermata 1                   |          05.00+|     |");
  EXPECT_EQ(percorso.back(), " |  60 |     |  77.000  |     |Fermata 78                  |07.34+          |     |");
  // Every row of the route in ascending chainage.
  double prima = -1;
  for (const std::string& r : percorso) {
    const double km = std::stod(r.substr(14, 10));
    EXPECT_GT(km, prima) << r;
    prima = km;
  }
}

TEST(GenericTrainSheet, MoreRowsThanADocumentHoldsIsAnError) {
  std::vector<std::string> servizio = servizio_lungo(2);
  for (int p = 100; p < 70000; p += 100) servizio.insert(servizio.end() - 1, "velocita, " + std::to_string(p) + ", " + (p % 200 ? "60" : "70"));
  servizio.insert(servizio.end() - 1, "stazione, 70000, 4, 300, 0,0,0, 1,1,0, 2,1,1, 60, 9, 0, 0, Capolinea");
  const scenario s = compila_in_memoria(righe_crlf(linea_lunga(72000)), righe_crlf(servizio));
  ASSERT_EQ(s.codice_errore, 0);
  const documento_composto d = scheda_compilata(s);
  EXPECT_EQ(d.errore, "1100 lines for the train sheet, and a document holds at most 1000");
}

TEST(GenericTrainSheet, ARunPastMidnightPrintsTheNextDaysTimes) {
  const scenario s = cornasco_con({
      {14, "stazione,  0, 4, 400, 1, 0, 0, 4,1,0, 2,1,1, 1, 23, 50, 0, Pontevecchio Alto"},
      {15, "stazione,  2500, 12, 300, 0, 0, 0, 1,1,0, 4,1,1, 60, 23, 59, 30, Molino Sereno"},
      {16, "stazione,  6000, 27, 400, 0, 0, 0, 0,0,0, 0,0,0, 60, 24, 1, 30, Case Rosse"},
      {18, "stazione,  11000, 22, 400, 0, 0, 0, 0,0,0, 4,1,1, 30, 24, 5, 0, San Prospero"},
      {19, "stazione,  15000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 60, 24, 10, 30, Valdirocca"},
  });
  ASSERT_EQ(s.codice_errore, 0);
  const std::vector<std::string> percorso = righe_percorso(scheda_compilata(s).righe);
  ASSERT_EQ(percorso.size(), 11u);
  // The Orario cell of each station's row: 24:01:30 is 00.01+, and a stop's
  // arrival a dwell before 24:05:00 is 00.04+.
  const std::vector<std::pair<size_t, std::string>> orari = {
      {0, "          23.50 "}, {1, " 23.58+   23.59+"}, {4, "     00.01+     "},
      {8, " 00.04+   00.05 "}, {10, " 00.10+         "},
  };
  for (const auto& [i, orario] : orari) EXPECT_EQ(percorso[i].substr(60, 16), orario) << percorso[i];
}

TEST(GenericTrainSheet, ChainageFollowsTheLinesKilometricProgression) {
  // All starts 0: the reference with a chainage goes first and counts on
  // from 12 km; the kilometre post still prints its own kilometre.
  const scenario s = cornasco_con({}, {{4, "progressiva chilometrica uno,  0,  12000,  0"}});
  ASSERT_EQ(s.codice_errore, 0);
  const std::vector<std::string> percorso = righe_percorso(scheda_compilata(s).righe);
  ASSERT_GE(percorso.size(), 4u);
  EXPECT_EQ(percorso[0].substr(14, 10), "   12.000 ");
  EXPECT_EQ(percorso[1].substr(14, 10), "   14.500 ");
  EXPECT_EQ(percorso[2], " |  80 |     |    5.000 |     |km 5+000                    |                |     |");
}

TEST(GenericTrainSheet, AServiceWithoutStationsHasNoRoute) {
  std::vector<std::string> servizio = prova::servizio_cornasco();
  servizio.erase(servizio.begin() + 13, servizio.begin() + 19);
  const scenario s = compila_in_memoria(righe_crlf(prova::linea_cornasco()), righe_crlf(servizio));
  ASSERT_EQ(s.codice_errore, 0);
  const documento_composto d = scheda_compilata(s);
  EXPECT_TRUE(righe_percorso(d.righe).empty());
  ASSERT_EQ(d.avvisi.size(), 1u);
  EXPECT_EQ(d.avvisi[0].messaggio, "the service has no station: the train sheet lists no route");
  EXPECT_EQ(d.righe[4], " |   TRENO n.3318    |                   da:                       |  part.       |");
}

}  // namespace
}  // namespace sb
