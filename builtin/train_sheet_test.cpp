#include "builtin/train_sheet.h"

#include <gtest/gtest.h>

#include "builtin/line_content.h"
#include "builtin/run_timetable.h"
#include "builtin/service_content.h"
#include "documents/generic_train_sheet.h"
#include "test_support/document_scenario.h"
#include "test_support/written_lines.h"

#include <string>
#include <vector>

namespace sb {
namespace {

// The written lines of the train sheet, 0-based.
std::vector<std::string> righe() { return righe_scritte(righe_scheda()); }

// Line n of the sheet, counted from 1.
std::string riga(const std::vector<std::string>& r, size_t n) { return r.at(n - 1); }

TEST(TrainSheet, TwoHundredLinesOfPlainAscii) {
  const std::string testo = componi_documento(righe_scheda());
  EXPECT_EQ(testo.size(), 15188u);
  for (unsigned char c : testo) EXPECT_LT(c, 0x80);
  const auto r = righe();
  ASSERT_EQ(r.size(), 200u);
  EXPECT_EQ(riga(r, 200), "");
}

TEST(TrainSheet, FixedLinesStandWhereThePagesPutThem) {
  const auto r = righe();
  const std::string punti_72(72, '.');
  struct caso {
    size_t n;
    std::string testo;
  } casi[] = {
      {1, ""}, {2, ""}, {12, ""}, {49, ""}, {52, ""}, {53, ""}, {63, ""}, {100, ""}, {101, ""},
      {103, ""}, {113, ""}, {150, ""}, {151, ""}, {153, ""}, {163, ""},
      {50, " il + indica 1/2 minuto"},
      {51, std::string(81, '.')},
      {102, punti_72},
      {152, punti_72},
      {3, "  ___________________                                               ______________"},
      {4, " |                   |                    SCHEDA 1/4               |              |"},
      {5, " |   TRENO n.40617   |                   da: Borvale Centrale      |    V140 B    |"},
      {6, " |___________________|                    a: Borgo Vallestre       |     130%     |"},
      {7, "                                                                   |______________|"},
      {8, "  ___________________                ___________________"},
      {9, " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "},
      {10, " |        Reg        |              |      330T         |"},
      {11, " |___________________|              |___________________|"},
      {13, "  " + std::string(80, '_')},
      {14, " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |"},
      {15, " | Lim.|Marc.|          |  Rs |                            |                |     |"},
      {16, " |_____|_____|__________|_____|____________________________|________________|_____|"},
      {55, " |                   |                    SCHEDA 2/4               |              |"},
      {56, " |   TRENO n.40617   |                   da: Borvale Centrale      |    V140 B    |"},
      {105, " |                   |                    SCHEDA 3/4               |              |"},
      {106, " |   TRENO n.xxxxx   |                   da: xxxxxx                |    Vxxx C    |"},
      {107, " |___________________|                    a: xxxxxx                |     xxx%     |"},
      {111, " |        xxx        |              |      xxxT         |"},
      {155, " |                   |                    SCHEDA 4/4               |              |"},
      {157, " |___________________|                    a: xxxxxx                |     xxx%     |"},
      {161, " |        xxx        |              |      xxxT         |"},
      {99, " |_____|_____|__________|_____|____________________________|________________|_____|"},
      {149, " |_____|_____|__________|_____|____________________________|________________|_____|"},
      {199, " |_____|_____|__________|_____|____________________________|________________|_____|"},
  };
  for (const caso& c : casi) EXPECT_EQ(riga(r, c.n), c.testo) << "line " << c.n;
}

TEST(TrainSheet, TableLinesAre83WideAndTopRules82) {
  const auto r = righe();
  for (size_t inizio : {13u, 64u, 114u, 164u}) {
    EXPECT_EQ(riga(r, inizio).size(), 82u) << inizio;
    for (size_t n = inizio + 1; n < inizio + 36; ++n) EXPECT_EQ(riga(r, n).size(), 83u) << "line " << n;
  }
}

TEST(TrainSheet, BodyRowsOfEachKind) {
  const auto r = righe();
  struct caso {
    size_t n;
    const char* testo;
  } casi[] = {
      // origin: departure only
      {17, " |  85 |     |    0.000 |     |Borvale Centrale            |          18.40 |     |"},
      // tunnel mouth
      {18, " |  85 |     |    1.800 |     |imbocco gall. Monte Gaudo   |                |     |"},
      // stop with a half minute
      {19, " |  85 |     |    2.800 |     |Borvale San Gaudo           | 18.43    18.43+|     |"},
      // stop on whole minutes
      {30, " |  95 |     |   17.600 |     |Castel Brusato              | 19.09    19.10 |     |"},
      // passing, half minute
      {28, " |  90 |     |   14.900 |     |Torre Arsiccia              |     19.04+     |     |"},
      // passing without a time
      {25, " |  85 |     |   10.800 |     |Bivio Malcanto              |                |     |"},
      // kilometre post and the end of the double track
      {32, " |  95 |     |   20.000 |     |km 20+000                   |                |     |"},
      {41, " |  50 |     |   36.200 |     |dev. u.                     |                |     |"},
      // page 2: passing, protection signal, stop, destination
      {68, " |  75 |     |  55.500  |     |Trasmonte Scalo             |     19.53      |     |"},
      {73, " |  75 |     |  81.500  |     |Segn. Prot                  |                |     |"},
      {74, " |  75 |     |  82.200  |     |Pieve Crovara               |20.17     20.18 |     |"},
      {75, " |  75 |     |  87.900  |     |Borgo Vallestre             |20.25+          |     |"},
      {76, " |     |     |          |     |                            |                |     |"},
  };
  for (const caso& c : casi) EXPECT_EQ(riga(r, c.n), c.testo) << "line " << c.n;
}

TEST(TrainSheet, ThirtySecondRowOfPageOneClosesTheTable) {
  const auto r = righe();
  EXPECT_EQ(riga(r, 48), " |__75_|_____|___53.200_|_____|sbocco_gall._Trasmonte______|________________|_____|");
}

TEST(TrainSheet, PagesTwoToFourEndWithEmptyRowsAndTheRule) {
  const auto r = righe();
  const std::string vuota = " |     |     |          |     |                            |                |     |";
  for (size_t n = 76; n <= 98; ++n) EXPECT_EQ(riga(r, n), vuota) << n;
  for (size_t n = 118; n <= 148; ++n) EXPECT_EQ(riga(r, n), vuota) << n;
  for (size_t n = 168; n <= 198; ++n) EXPECT_EQ(riga(r, n), vuota) << n;
}

// The sheet made from the compiled texts agrees with the builder's own:
// the same stations in the same order with the same rows, and at every
// landmark they share, the same speed limit.
TEST(TrainSheet, RowsMadeFromTheCompiledTextsAgreeWithTheBuildersOwn) {
  const scenario s = prova::compila_in_memoria(componi_documento(righe_linea()), componi_documento(righe_treno()),
                                               "BORVALE", "40617");
  ASSERT_EQ(s.codice_errore, 0);
  std::vector<diagnostica> avvisi;
  const std::vector<voce_scheda> generate = voci_scheda_compilata(s, avvisi);
  EXPECT_TRUE(avvisi.empty());
  const std::vector<voce_scheda> proprie = voci_scheda_corsa();

  auto stazioni = [](const std::vector<voce_scheda>& voci) {
    std::vector<voce_scheda> out;
    for (const voce_scheda& v : voci) {
      for (const stazione_corsa& st : kStazioniCorsa) {
        if (v.localita == st.nome) out.push_back(v);
      }
    }
    return out;
  };
  const std::vector<voce_scheda> stazioni_proprie = stazioni(proprie);
  ASSERT_EQ(stazioni_proprie.size(), kStazioniCorsa.size());
  EXPECT_EQ(stazioni(generate), stazioni_proprie);

  size_t in_comune = 0;
  for (const voce_scheda& p : proprie) {
    for (const voce_scheda& g : generate) {
      if (g.progressiva != p.progressiva) continue;
      EXPECT_EQ(g.velocita, p.velocita) << p.localita;
      ++in_comune;
      break;
    }
  }
  // Every row but the protection signal, which the texts do not hold.
  EXPECT_EQ(in_comune, proprie.size() - 1);
}

}  // namespace
}  // namespace sb
