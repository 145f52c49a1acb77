#include "line/progressive_ordina.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace sb {
namespace {

using terna = std::array<int32_t, 3>;  // first, second, third value

struct caso {
  const char* nome;
  terna tre, due, uno;           // as read into 81, 82, 83
  terna atteso_81, atteso_82, atteso_83;
};

void metti(oggetto& o, const terna& t) {
  o.inizio = t[0];
  o.fine = t[1];
  o.posizione = t[2];
}

terna prendi(const oggetto& o) { return {o.inizio, o.fine, o.posizione}; }

TEST(ProgressivaOrdina, PlacesTheReferences) {
  const terna zero{0, 0, 0};
  const caso casi[] = {
      {"all zero stay zero", zero, zero, zero, zero, zero, zero},
      {"strict maximum then greater", {10, 1, 0}, {30, 2, 0}, {20, 3, 0}, {30, 2, 0}, {20, 3, 0}, {10, 1, 0}},
      {"tie below the maximum: uno before tre", {50, 1, 0}, {100, 2, 0}, {50, 3, 0}, {100, 2, 0}, {50, 3, 0},
       {50, 1, 0}},
      {"tie below the maximum: due before tre", {50, 1, 0}, {50, 2, 0}, {100, 3, 0}, {100, 3, 0}, {50, 2, 0},
       {50, 1, 0}},
      {"tie below the maximum: uno before due", {100, 1, 0}, {50, 2, 0}, {50, 3, 0}, {100, 1, 0}, {50, 3, 0},
       {50, 2, 0}},
      {"no strict maximum clears all nine", {2000, 1, 1}, {2000, 2, 1}, {500, 3, 1}, zero, zero, zero},
      {"sum zero, second of due", {0, 0, 0}, {0, 500, 0}, {0, 0, 0}, {0, 500, 0}, zero, zero},
      {"sum zero, second of tre", {0, 700, 0}, {0, 0, 0}, {0, 0, 0}, {0, 700, 0}, zero, zero},
      {"sum zero, uno overrides tre", {0, 700, 0}, {0, 0, 0}, {0, 300, 0}, {0, 300, 0}, zero, {0, 700, 0}},
      {"sum zero with non-zero firsts", {-5, 0, 0}, {5, 0, 0}, {0, 100, 2}, {0, 100, 2}, {5, 0, 0}, {-5, 0, 0}},
      {"sum zero, nothing positive", {-5, -1, 0}, {5, 0, 0}, {0, 0, 0}, zero, zero, zero},
      {"third value 1 adds 100 after placing", {10, 1000, 1}, {30, 2000, 2}, {20, 3000, 1}, {30, 2000, 2},
       {20, 3100, 1}, {10, 1100, 1}},
  };
  for (const caso& c : casi) {
    tabella_oggetti t{};
    metti(t[81], c.tre);
    metti(t[82], c.due);
    metti(t[83], c.uno);
    ASSERT_TRUE(progressive_ordina(t)) << c.nome;
    EXPECT_EQ(prendi(t[81]), c.atteso_81) << c.nome;
    EXPECT_EQ(prendi(t[82]), c.atteso_82) << c.nome;
    EXPECT_EQ(prendi(t[83]), c.atteso_83) << c.nome;
  }
}

TEST(ProgressivaOrdina, LeavesTheOtherFields) {
  tabella_oggetti t{};
  metti(t[81], {10, 0, 0});
  metti(t[83], {20, 0, 0});
  t[81].nome = "x";
  t[83].param_2 = 7;
  t[82].orario = 9;
  ASSERT_TRUE(progressive_ordina(t));
  EXPECT_EQ(t[81].nome, "x");
  EXPECT_EQ(t[83].param_2, 7);
  EXPECT_EQ(t[82].orario, 9);
  EXPECT_EQ(prendi(t[81]), (terna{20, 0, 0}));
}

TEST(ProgressivaOrdina, OverflowChangesNothing) {
  const int32_t max = std::numeric_limits<int32_t>::max();
  struct {
    terna tre, due, uno;
  } casi[] = {
      {{max, 0, 0}, {1, 0, 0}, {-5, 0, 0}},  // tre + due overflows
      {{max, 0, 0}, {-1, 0, 0}, {2, 0, 0}},  // the whole sum overflows
      {{10, max - 99, 1}, {0, 0, 0}, {0, 0, 0}},  // the +100
  };
  for (const auto& c : casi) {
    tabella_oggetti t{};
    metti(t[81], c.tre);
    metti(t[82], c.due);
    metti(t[83], c.uno);
    EXPECT_FALSE(progressive_ordina(t));
    EXPECT_EQ(prendi(t[81]), c.tre);
    EXPECT_EQ(prendi(t[82]), c.due);
    EXPECT_EQ(prendi(t[83]), c.uno);
  }
}

}  // namespace
}  // namespace sb
