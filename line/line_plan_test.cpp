#include "line/line_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace sb {
namespace {

double reale_di(const valore_variante& v) {
  EXPECT_EQ(v.tipo, tipo_variante::reale);
  return v.reale;
}

// A fresh plan for a route of 1000 m, seeded, cursor at 2.
griglia_linea piano_nuovo() {
  griglia_linea g;
  crea_griglia(g, 1000);
  semina_griglia(g);
  return g;
}

TEST(LinePlan, CreatedEmptyAndSeededWithIntegers) {
  griglia_linea g;
  crea_griglia(g, 10000);
  ASSERT_EQ(g.x.size(), 17001u);
  ASSERT_EQ(g.y.size(), 17001u);
  EXPECT_EQ(g.x[17000], valore_variante{});
  semina_griglia(g);
  EXPECT_EQ(g.x[0], (valore_variante{tipo_variante::intero, 0, 0.0}));
  EXPECT_EQ(g.y[0], (valore_variante{tipo_variante::intero, 0, 0.0}));
  EXPECT_EQ(g.x[1], (valore_variante{tipo_variante::intero, 0, 0.0}));
  EXPECT_EQ(g.y[1], (valore_variante{tipo_variante::intero, 1, 0.0}));
  EXPECT_EQ(g.x[2], valore_variante{});
  crea_griglia(g, 25);  // a second creation starts afresh
  EXPECT_EQ(g.x.size(), 7026u);
  EXPECT_EQ(g.y[1], valore_variante{});
}

// "curvad6,  1450,  100" on a fresh plan, then the straight that follows,
// against the same integration written out point by point.
TEST(LinePlan, CurveD6At1450ForAHundredMetres) {
  griglia_linea g = piano_nuovo();
  int64_t cursore = 2;
  estendi_dritto(g, cursore, 1450);
  EXPECT_EQ(cursore, 1451);
  estendi_curva(g, cursore, 1550, 0.003);
  EXPECT_EQ(cursore, 1551);
  estendi_dritto(g, cursore, 7998);
  EXPECT_EQ(cursore, 7999);

  std::vector<double> x(8001, 0.0), y(8001, 0.0);
  y[1] = 1.0;
  for (int k = 2; k <= 7998; ++k) {
    double dx = x[k - 1] - x[k - 2];
    double dy = y[k - 1] - y[k - 2];
    if (k >= 1451 && k <= 1550) {
      x[k] = x[k - 1] + dx + 0.003 * dy;
      y[k] = y[k - 1] + dy - 0.003 * dx;
    } else {
      x[k] = x[k - 1] + dx;
      y[k] = y[k - 1] + dy;
    }
  }
  for (int k = 2; k <= 7998; ++k) {
    ASSERT_EQ(reale_di(g.x[k]), x[k]) << k;
    ASSERT_EQ(reale_di(g.y[k]), y[k]) << k;
  }
  for (int k = 2; k <= 1450; ++k) {
    ASSERT_EQ(g.x[k].reale, 0.0) << k;
    ASSERT_EQ(g.y[k].reale, static_cast<double>(k)) << k;
  }
  EXPECT_EQ(g.x[1451].reale, 0.003);
  EXPECT_EQ(g.y[1451].reale, 1451.0);
  EXPECT_EQ(g.x[1452].reale, (0.003 + 0.003) + 0.003 * 1.0);
  EXPECT_EQ(g.y[1452].reale, (1451.0 + 1.0) - 0.003 * 0.003);
  EXPECT_GT(g.x[1550].reale, g.x[1549].reale);  // turned towards +x
  EXPECT_EQ(g.x[7999], valore_variante{});
  EXPECT_EQ(g.x[8000], valore_variante{});
}

TEST(LinePlan, CursorDecidesWhatACurveBends) {
  griglia_linea g = piano_nuovo();
  int64_t cursore = 2;
  estendi_dritto(g, cursore, 300);
  // A curve whose end lies behind the cursor has no effect.
  estendi_dritto(g, cursore, 100);
  estendi_curva(g, cursore, 250, 0.001);
  EXPECT_EQ(cursore, 301);
  EXPECT_EQ(g.x[301], valore_variante{});
  // One whose start lies behind bends only the points still to come.
  estendi_dritto(g, cursore, 200);
  estendi_curva(g, cursore, 310, -0.001);
  EXPECT_EQ(cursore, 311);
  EXPECT_EQ(g.x[300].reale, 0.0);
  EXPECT_EQ(g.x[301].reale, -0.001);
}

TEST(LinePlan, NeverComputesPastTheLastPoint) {
  griglia_linea g = piano_nuovo();
  int64_t cursore = 2;
  estendi_curva(g, cursore, 20000, 0.0001);
  EXPECT_EQ(cursore, 8001);
  EXPECT_EQ(g.x[8000].tipo, tipo_variante::reale);
}

TEST(LinePlan, CurvatureOfAKeyword) {
  struct {
    const char* chiave;
    double kappa;
  } casi[] = {
      {"curvad1", 0.0001}, {"curvad2", 0.0002}, {"curvad3", 0.0004}, {"curvad4", 0.001},
      {"curvad5", 0.002},  {"curvad6", 0.003},  {"curvas6", -0.003}, {"CURVAS1", -0.0001},
      {"Curva 6 3", 0.0004}, {"curvad", 0.0},   {"curvas7", 0.0},    {"curvad0", 0.0},
  };
  for (const auto& c : casi) EXPECT_EQ(curvatura(c.chiave), c.kappa) << c.chiave;
}

}  // namespace
}  // namespace sb
