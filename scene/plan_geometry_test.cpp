#include "scene/plan_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support/plan_fixture.h"

namespace sb {
namespace {

using prova::pianta_di_prova;

// The distance from a point to the polyline of a level, near the metre.
double scarto(const livello_contorno& l, const punto_contorno& p) {
  double migliore = 1e300;
  for (size_t k = 1; k < l.punti.size(); ++k) {
    const punto_contorno &a = l.punti[k - 1], &b = l.punti[k];
    if (p.metro < a.metro || p.metro > b.metro) continue;
    const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0;
    t = std::fmax(0, std::fmin(1, t));
    migliore = std::fmin(migliore, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
  }
  return migliore;
}

// Every level keeps every plan point within its tolerance (a level is
// simplified from the one below, so the errors add up to 8/7 of it), the
// levels grow coarser by eight and fewer in points, and the chord from the
// first to the last point runs along +x.
TEST(ContornoPianta, EveryLevelKeepsEveryPointWithinItsTolerance) {
  const griglia_linea g = pianta_di_prova(20000, {{2000, 600, 0.001}, {5000, 3000, -0.0004}, {12000, 300, 0.003}});
  const contorno_pianta c = contorno_griglia(g, 20000);
  ASSERT_GE(c.livelli.size(), 3u);
  EXPECT_DOUBLE_EQ(c.livelli[0].tolleranza, kTolleranzaFine);
  for (size_t l = 1; l < c.livelli.size(); ++l) {
    EXPECT_DOUBLE_EQ(c.livelli[l].tolleranza, c.livelli[l - 1].tolleranza * 8);
    EXPECT_LT(c.livelli[l].punti.size(), c.livelli[l - 1].punti.size());
  }
  const std::vector<punto_contorno>& fine = c.livelli[0].punti;
  EXPECT_EQ(fine.front().metro, 0);
  EXPECT_EQ(fine.back().metro, 20000);
  EXPECT_NEAR(fine.back().y, 0, 1e-6);
  auto x = [&](int64_t m) { return g.x[static_cast<size_t>(m)].reale; };
  auto y = [&](int64_t m) { return g.y[static_cast<size_t>(m)].reale; };
  const double dx = x(20000), dy = y(20000), corda = std::hypot(dx, dy);
  for (int64_t m = 2; m <= 20000; ++m) {
    const punto_contorno p{m, (x(m) * dx + y(m) * dy) / corda, (-x(m) * dy + y(m) * dx) / corda};
    for (const livello_contorno& l : c.livelli) ASSERT_LE(scarto(l, p), l.tolleranza * 8 / 7 + 1e-9) << m;
  }
}

// A straight line keeps a point every few thousand metres at most (the
// ends of the blocks it is simplified in, every other one dropped).
TEST(ContornoPianta, StraightLineIsAFewPointsAndNoPlanIsNone) {
  const contorno_pianta c = contorno_griglia(pianta_di_prova(100000, {}), 100000);
  ASSERT_EQ(c.livelli.size(), 1u);
  const std::vector<punto_contorno>& p = c.livelli[0].punti;
  EXPECT_LE(p.size(), 100000u / 4096 + 2);
  EXPECT_NEAR(p.back().x, 100000, 1e-6);
  for (const punto_contorno& q : p) EXPECT_NEAR(q.y, 0, 1e-6);
  EXPECT_EQ(contorno_griglia(pianta_di_prova(1500, {}), 1500).livelli[0].punti.size(), 2u);
  EXPECT_TRUE(contorno_griglia(griglia_linea{}, 5000).vuoto());
}

}  // namespace
}  // namespace sb
