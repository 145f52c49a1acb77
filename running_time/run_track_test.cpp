#include "running_time/run_track.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support/document_scenario.h"

namespace sb {
namespace {

// A station as the run reads it from the small scenario.
struct stazione_attesa {
  const char* nome;
  int64_t posizione;  // the stop cell's position, or the station's own when passed
  bool ferma;
  bool con_orario;
  int32_t arrivo;
  int32_t partenza;
};

constexpr int32_t ora(int32_t h, int32_t m, int32_t s) { return (h * 60 + m) * 60 + s; }

TEST(PercorsoMarcia, StationsStopPointsAndTimesAsTheTrainSheetReadsThem) {
  // The origin's time is its departure, a stop's arrival is its time less its
  // dwell, a station passed has one time, the destination's is its arrival.
  const std::vector<stazione_attesa> attese = {
      {"Pontevecchio Alto", 100, true, true, ora(7, 0, 0), ora(7, 0, 0)},
      {"Molino Sereno", 2550, true, true, ora(7, 4, 0), ora(7, 4, 30)},
      {"Case Rosse", 6000, false, true, ora(7, 9, 30), ora(7, 9, 30)},
      {"Bivio Gessaia", 9000, false, false, 0, 0},
      {"San Prospero", 11100, true, true, ora(7, 14, 0), ora(7, 15, 0)},
      {"Valdirocca", 15100, true, true, ora(7, 20, 30), ora(7, 20, 30)},
  };
  const percorso_marcia p = percorso_da_scenario(prova::cornasco());
  ASSERT_EQ(p.stazioni.size(), attese.size());
  for (size_t k = 0; k < attese.size(); ++k) {
    const stazione_marcia& st = p.stazioni[k];
    EXPECT_EQ(st.voce, static_cast<int>(k + 1));
    EXPECT_EQ(st.nome, attese[k].nome);
    EXPECT_EQ(st.posizione, attese[k].posizione) << st.nome;
    EXPECT_EQ(st.ferma, attese[k].ferma) << st.nome;
    EXPECT_EQ(st.con_orario, attese[k].con_orario) << st.nome;
    EXPECT_EQ(st.arrivo, attese[k].arrivo) << st.nome;
    EXPECT_EQ(st.partenza, attese[k].partenza) << st.nome;
  }
}

TEST(PercorsoMarcia, ProfilesAndSlowdownsFromTheCells) {
  const percorso_marcia p = percorso_da_scenario(prova::cornasco());
  ASSERT_GE(p.limite_kmh.size(), 3u);
  EXPECT_EQ(std::vector<gradino>(p.limite_kmh.begin(), p.limite_kmh.begin() + 3),
            (std::vector<gradino>{{0, 80}, {5500, 60}, {9000, 100}}));
  ASSERT_GE(p.pendenza.size(), 2u);
  EXPECT_EQ(p.pendenza[1], (gradino{6000, 12}));
  EXPECT_EQ(p.aderenza.front(), (gradino{0, 100}));
  EXPECT_EQ(p.rallentamenti, (std::vector<rallentamento_marcia>{{13000, 13400, 30}}));
}

}  // namespace
}  // namespace sb
