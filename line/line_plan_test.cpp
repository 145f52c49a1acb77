#include "line/line_plan.h"

#include <gtest/gtest.h>

#include <vector>

#include "scenario/binary_files.h"
#include "scenario/plan_encoding.h"

namespace sb {
namespace {

double reale_di(const valore_variante& v) {
  EXPECT_EQ(v.tipo, tipo_variante::reale);
  return v.reale;
}

// A fresh plan for a route of 1000 m, seeded, cursor at 2.
griglia_codificata piano_nuovo() {
  griglia_codificata g;
  crea_griglia(g, 1000);
  semina_griglia(g);
  return g;
}

// The plan closed and read back point by point: the same points as while
// it was open, and bytes that are those the point-by-point encoder gives.
griglia_linea chiusa(griglia_codificata g) {
  const griglia_linea aperta = punti_griglia(g);
  chiudi_griglia(g);
  griglia_linea p = punti_griglia(g);
  EXPECT_EQ(p.x, aperta.x);
  EXPECT_EQ(p.y, aperta.y);
  EXPECT_EQ(g.byte, codifica_griglia(p));
  return p;
}

TEST(LinePlan, CreatedEmptyAndSeededWithIntegers) {
  griglia_codificata c;
  crea_griglia(c, 10000);
  griglia_linea g = chiusa(c);
  ASSERT_EQ(g.x.size(), 17001u);
  ASSERT_EQ(g.y.size(), 17001u);
  EXPECT_EQ(g.x[17000], valore_variante{});
  EXPECT_EQ(g.y[0], valore_variante{});
  semina_griglia(c);
  g = chiusa(c);
  EXPECT_EQ(g.x[0], (valore_variante{tipo_variante::intero, 0, 0.0}));
  EXPECT_EQ(g.y[0], (valore_variante{tipo_variante::intero, 0, 0.0}));
  EXPECT_EQ(g.x[1], (valore_variante{tipo_variante::intero, 0, 0.0}));
  EXPECT_EQ(g.y[1], (valore_variante{tipo_variante::intero, 1, 0.0}));
  EXPECT_EQ(g.x[2], valore_variante{});
  crea_griglia(c, 25);  // a second creation starts afresh
  g = chiusa(c);
  EXPECT_EQ(g.x.size(), 7026u);
  EXPECT_EQ(g.y[1], valore_variante{});
}

// "curvad6,  1450,  100" on a fresh plan, then the straight that follows,
// against the same integration written out point by point.
TEST(LinePlan, CurveD6At1450ForAHundredMetres) {
  griglia_codificata c = piano_nuovo();
  estendi_dritto(c, 1450);
  EXPECT_EQ(c.prossimo, 1451);
  estendi_curva(c, 1550, 0.003);
  EXPECT_EQ(c.prossimo, 1551);
  estendi_dritto(c, 7998);
  EXPECT_EQ(c.prossimo, 7999);
  const griglia_linea g = chiusa(c);

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
  griglia_codificata c = piano_nuovo();
  estendi_dritto(c, 300);
  // A curve whose end lies behind the cursor has no effect.
  estendi_dritto(c, 100);
  estendi_curva(c, 250, 0.001);
  EXPECT_EQ(c.prossimo, 301);
  EXPECT_EQ(chiusa(c).x[301], valore_variante{});
  // One whose start lies behind bends only the points still to come.
  estendi_dritto(c, 200);
  estendi_curva(c, 310, -0.001);
  EXPECT_EQ(c.prossimo, 311);
  const griglia_linea g = chiusa(c);
  EXPECT_EQ(g.x[300].reale, 0.0);
  EXPECT_EQ(g.x[301].reale, -0.001);
}

// Up to the last point, past what a completed compile computes: the y values
// make room, in one step or in two.
TEST(LinePlan, NeverComputesPastTheLastPoint) {
  for (int64_t primo : {7998, 7999, 8000, 20000}) {
    SCOPED_TRACE(primo);
    griglia_codificata c = piano_nuovo();
    estendi_curva(c, primo, 0.0001);
    estendi_curva(c, 20000, 0.0001);
    EXPECT_EQ(c.prossimo, 8001);
    const griglia_linea g = chiusa(c);
    EXPECT_EQ(g.x[8000].tipo, tipo_variante::reale);
    EXPECT_EQ(g.y[8000].tipo, tipo_variante::reale);
    EXPECT_GT(g.y[8000].reale, 7000.0);
  }
}

// Without its seeds a plan computes nothing; a closed one takes no more
// points, and closing it again changes nothing.
TEST(LinePlan, UnseededOrClosedPlanIsLeftAsItIs) {
  griglia_codificata c;
  crea_griglia(c, 1000);
  estendi_dritto(c, 500);
  EXPECT_EQ(c.prossimo, 2);
  EXPECT_EQ(chiusa(c).x[2], valore_variante{});
  semina_griglia(c);
  estendi_dritto(c, 500);
  chiudi_griglia(c);
  const std::string byte = c.byte;
  estendi_dritto(c, 900);
  semina_griglia(c);
  chiudi_griglia(c);
  EXPECT_EQ(c.prossimo, 501);
  EXPECT_EQ(c.byte, byte);
  EXPECT_EQ(byte.size(), 2 * (8 + 10 * 499 + 2 * (8001 - 501)));
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
