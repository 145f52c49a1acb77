#include "documents/kilometre_posts.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

// The position of a kilometre, through the chainage references: the
// position itself before every reference, the reference's count after it,
// none where the chainage jumps over it.
TEST(KilometrePosts, WhereAKilometreLies) {
  tabella_oggetti piana{};
  tabella_oggetti salto{};
  salto[81].inizio = 5000;  // from 5000 m the chainage counts on from 20 km
  salto[81].fine = 20000;
  struct caso {
    const tabella_oggetti* tabella;
    int64_t chilometro;
    std::optional<int64_t> posizione;
  } casi[] = {
      {&piana, 3000, 3000},   {&piana, 0, 0},         {&salto, 3000, 3000},
      {&salto, 22700, 7700},  {&salto, 20000, 5000},  {&salto, 10000, std::nullopt},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(posizione_del_chilometro(*c.tabella, c.chilometro), c.posizione) << c.chilometro;
  }
}

}  // namespace
}  // namespace sb
