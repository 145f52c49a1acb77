#include "line/memo_montagna.h"

#include <gtest/gtest.h>

#include "scenario/error_codes.h"

namespace sb {
namespace {

TEST(MemoMontagna, KeepsTheSpansAndChangesTheCallersKind) {
  scenario s;
  s.celle.assign(341, cella{});
  stato_montagne m;
  struct {
    int32_t inizio, fine, tipo, tipo_dopo;
  } righe[] = {
      {1800, 3800, 11, 1},  // marked span: kind 1
      {3950, 4000, 12, 3},  // 150 m after the previous end
      {4151, 4300, 2, 2},   // 151 m after
      {100, 200, 4, 3},     // before the previous end: the distance is negative
  };
  for (auto& r : righe) {
    memo_montagna(s, m, r.inizio, r.fine, r.tipo);
    EXPECT_EQ(r.tipo, r.tipo_dopo) << r.inizio;
  }
  EXPECT_EQ(s.codice_errore, kNessunErrore);
  EXPECT_EQ(m.numero_montagne, 4);
  EXPECT_EQ(m.inizio_montagne[1], 1800);
  EXPECT_EQ(m.fine_montagne[1], 3800);
  EXPECT_EQ(m.inizio_montagne[4], 100);
  EXPECT_EQ(m.fine_montagne[4], 200);
  EXPECT_EQ(s.celle[79].montagna, 3);
  EXPECT_EQ(s.celle[79].tipo, 0);  // a kind-3 span from a marked row marks only every fourth cell
  EXPECT_EQ(s.celle[2].montagna, 3);
  EXPECT_EQ(s.celle[3].montagna, 3);
  EXPECT_EQ(s.celle[4].montagna, 0);
}

TEST(MemoMontagna, KindKeepsItsLowEightBits) {
  scenario s;
  s.celle.assign(341, cella{});
  stato_montagne m;
  int32_t inizio = 0, fine = 100, tipo = 266;  // a marked span of kind 256
  memo_montagna(s, m, inizio, fine, tipo);
  EXPECT_EQ(tipo, 256);
  EXPECT_EQ(s.celle[0].montagna, 0);
  EXPECT_EQ(s.celle[1].montagna, 0);
}

TEST(MemoMontagna, CellsInsideTheArray) {
  const celle_percorso celle(341);
  struct {
    int32_t inizio, fine;
    bool dentro;
  } casi[] = {
      {0, 17050, true},  {0, 17100, false}, {-25, 100, true},  {-26, 100, false},
      {-100, -50, false}, {-100, -100, true}, {16000, 50, true}, {17000, 17050, true},
  };
  for (const auto& c : casi) EXPECT_EQ(montagna_nelle_celle(c.inizio, c.fine, celle), c.dentro) << c.inizio << " " << c.fine;
}

}  // namespace
}  // namespace sb
