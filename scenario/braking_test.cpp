// The braking distance the checks of warning points use, against the closed
// forms: v for 4 s, then (v² - w²) / 2a with a = b + g i / 1000.
#include "scenario/braking.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sb {
namespace {

TEST(DistanzaFrenatura, ClosedForms) {
  struct caso {
    double v_kmh, w_kmh, pendenza, metri;
  };
  // From the reference: about 880 m from 100 km/h, 1 245 m from 120 and
  // 2 155 m from 160 to a stand on level track, the reaction included.
  const caso casi[] = {
      {100, 0, 0, 882.716},   {120, 0, 0, 1244.444},  {160, 0, 0, 2153.086},
      {120, 10, 0, 1236.728}, {120, 25, 0, 1196.219},  // either side of 1 200 m
      {100, 50, 20, 526.727},                           // uphill shortens
      {100, 50, -20, 1063.553}, {80, 60, -45, 1933.888},  // downhill lengthens
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.v_kmh) + " to " + std::to_string(c.w_kmh) + " on " + std::to_string(c.pendenza));
    EXPECT_NEAR(distanza_frenatura(c.v_kmh, c.w_kmh, c.pendenza), c.metri, 0.001);
  }
}

TEST(DistanzaFrenatura, NoDropAndNoBrake) {
  EXPECT_EQ(distanza_frenatura(60, 60, 0), 0);
  EXPECT_EQ(distanza_frenatura(60, 80, -30), 0);
  // A descent steeper than the brake: the train does not slow at all.
  EXPECT_TRUE(std::isinf(distanza_frenatura(80, 60, -60)));
  EXPECT_TRUE(std::isinf(distanza_frenatura(80, 60, -1000 * kFrenaturaServizio / kGravita)));
  // A weaker brake brakes longer.
  EXPECT_GT(distanza_frenatura(100, 0, 0, 0.3), distanza_frenatura(100, 0, 0));
}

}  // namespace
}  // namespace sb
