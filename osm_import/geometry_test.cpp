#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "osm_import/elevation.h"
#include "osm_import/geodesy.h"
#include "osm_import/plan_fit.h"
#include "osm_import/track.h"

namespace sb {
namespace {

// The textbook case of the inverse problem on the ellipsoid (Flinders Peak
// to Buninyong): 54 972.271 m, azimuths 306 52 05.37 and 127 10 25.07 back.
TEST(Geodesia, InverseOnTheEllipsoid) {
  const coordinate a{-(37 + 57 / 60.0 + 3.72030 / 3600), 144 + 25 / 60.0 + 29.52440 / 3600};
  const coordinate b{-(37 + 39 / 60.0 + 10.15610 / 3600), 143 + 55 / 60.0 + 35.38390 / 3600};
  const geodetica g = inversa(a, b);
  const double gradi = 180.0 / std::numbers::pi;
  EXPECT_NEAR(g.lunghezza, 54972.271, 0.001);
  EXPECT_NEAR(std::fmod(g.azimut_1 * gradi + 360.0, 360.0), 306 + 52 / 60.0 + 5.37 / 3600, 1e-5);
  EXPECT_NEAR(std::fmod(g.azimut_2 * gradi + 180.0 + 360.0, 360.0), 127 + 10 / 60.0 + 25.07 / 3600, 1e-5);
  EXPECT_EQ(inversa(a, a).lunghezza, 0.0);
}

// A flat track from straights and arcs: each piece its length and radius
// (0 straight; negative turns towards -x), in segments of 10 m.
tracciato tracciato_di(const std::vector<std::pair<double, double>>& pezzi) {
  tracciato t;
  t.x = {0.0};
  t.y = {0.0};
  t.s = {0.0};
  double rotta = 0.0;
  for (const auto& [lunghezza, raggio] : pezzi) {
    for (double fatto = 0.0; fatto < lunghezza - 1e-9; fatto += 10.0) {
      const double passo = std::min(10.0, lunghezza - fatto);
      const double svolta = raggio == 0.0 ? 0.0 : passo / raggio;
      const double r = rotta + svolta / 2.0;  // the chord of the arc
      t.rotta.push_back(r);
      t.x.push_back(t.x.back() + passo * std::sin(r));
      t.y.push_back(t.y.back() + passo * std::cos(r));
      t.s.push_back(t.s.back() + passo);
      rotta += svolta;
    }
  }
  return t;
}

double massimo(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

// Curves of every radius the format bends at and between its curvatures,
// both ways, with reverse curves: the plan stays within 2 m at every metre,
// with far fewer rows than metres, and it reaches the track's end.
TEST(Piano, FollowsTheTrackWithin2Metres) {
  const std::vector<std::vector<std::pair<double, double>>> tracce = {
      {{1000, 0}},
      {{500, 0}, {785.4, 500}, {800, 0}},
      {{300, 0}, {600, -450}, {200, 0}, {400, 700}, {1500, 0}},
      {{200, 0}, {1000, 3000}, {500, -8000}, {300, 340}, {600, 0}},
  };
  for (size_t i = 0; i < tracce.size(); ++i) {
    const tracciato t = tracciato_di(tracce[i]);
    const piano_adattato p = adatta_piano(t);
    EXPECT_LE(massimo(scarti(t, p.punti, p.lunghezza)), 2.0) << i;
    EXPECT_LT(p.curve.size(), static_cast<size_t>(t.lunghezza() / 40)) << i;
    EXPECT_NEAR(p.punti.arco[static_cast<size_t>(p.lunghezza)], t.lunghezza(), 1.0) << i;
    if (i == 0) {
      EXPECT_TRUE(p.curve.empty());
    }
  }
}

// The rows the fit gives make, compiled the same way, the plan it measured;
// and inside curves a plan point stands a little beyond its own index.
TEST(Piano, RowsMakeThePlanMeasured) {
  const tracciato t = tracciato_di({{200, 0}, {1500, 340}, {300, 0}});
  const piano_adattato p = adatta_piano(t);
  const piano_punti di_nuovo = simula_piano(p.curve, p.lunghezza);
  ASSERT_EQ(di_nuovo.x.size(), static_cast<size_t>(p.lunghezza) + 1);
  EXPECT_EQ(di_nuovo.x.back(), p.punti.x[static_cast<size_t>(p.lunghezza)]);
  EXPECT_GT(di_nuovo.arco.back(), p.lunghezza + 1.0);
  for (size_t i = 1; i < p.curve.size(); ++i) EXPECT_GE(p.curve[i].inizio, p.curve[i - 1].inizio + p.curve[i - 1].lunghezza);
}

// A track tighter than the plan bends departs, and the plan comes back.
TEST(Piano, TighterThanTheFormatDepartsAndComesBack) {
  const tracciato t = tracciato_di({{300, 0}, {300, 200}, {1500, 0}});
  const piano_adattato p = adatta_piano(t);
  const std::vector<double> s = scarti(t, p.punti, p.lunghezza);
  EXPECT_GT(massimo(s), 2.0);
  EXPECT_LE(*std::max_element(s.end() - 300, s.end()), 2.0);
  const std::vector<double> r = raggi_vertici(t);
  EXPECT_NEAR(*std::min_element(r.begin(), r.end()), 200.0, 1.0);
}

// Gradients per 50 m cell from heights: whole per mille, the rounding carried
// on, so the heights the rows reach never drift from the real ones.
TEST(Pendenze, MeanPerCellWithoutDrift) {
  const std::vector<std::pair<double, double>> quote = {{0, 400}, {1000, 407.3}, {1700, 407.3}, {3000, 390.1}};
  const std::vector<int32_t> g = pendenze_celle(quote, 60);
  double h = 400.0;
  for (size_t c = 0; c < g.size(); ++c) {
    h += g[c] * 0.05;
    const double m = 50.0 * static_cast<double>(c + 1);
    const double vera = m <= 1000 ? 400 + 7.3 * m / 1000 : m <= 1700 ? 407.3 : 407.3 - 17.2 * (m - 1700) / 1300;
    EXPECT_NEAR(h, vera, 0.025 + 1e-9) << c;
  }
  EXPECT_EQ(g[0], 7);
  EXPECT_EQ(g[25], 0);
}

}  // namespace
}  // namespace sb
