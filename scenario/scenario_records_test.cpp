#include "scenario/scenario_records.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
  struct caso {
    double x;
    double atteso;
  } casi[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2000.5, 2000}, {140.5, 140}, {2.4999, 2}};
  for (const caso& c : casi) EXPECT_EQ(nearest(c.x), c.atteso) << c.x;
}

TEST(CellIndex, ItemsAndStretchBoundaries) {
  struct caso {
    int64_t p;
    int64_t cella;
    int64_t confine;
  } casi[] = {
      {0, 1, 0}, {75, 2, 2}, {125, 4, 2}, {25, 2, 0}, {19950, 400, 399}, {1300, 27, 26}, {-50, 0, -1},
  };
  for (const caso& c : casi) {
    EXPECT_EQ(indice_cella(c.p), c.cella) << c.p;
    EXPECT_EQ(indice_confine(c.p), c.confine) << c.p;
  }
}

// A warning's or an error's message is composed only while its kind is
// kept: the answer turns when the hundredth of that kind is recorded, for
// that kind alone, and counting goes on past it.
TEST(WarningKept, TurnsAtTheCapForItsKindOnly) {
  scenario s;
  const luogo_testo dove{};
  for (size_t i = 0; i < kDiagnosticheConservate; ++i) {
    EXPECT_TRUE(avviso_conservato(s, genere_avviso::fuori_ordine)) << i;
    registra_avviso(s, genere_avviso::fuori_ordine, dove, "row " + std::to_string(i));
  }
  EXPECT_FALSE(avviso_conservato(s, genere_avviso::fuori_ordine));
  EXPECT_TRUE(avviso_conservato(s, genere_avviso::valore_troncato));
  registra_codice(s, 15, dove, "an error of its own");
  EXPECT_TRUE(avviso_conservato(s, genere_avviso::valore_troncato));
  EXPECT_TRUE(codice_conservato(s, 15));
  for (size_t i = 1; i < kDiagnosticheConservate; ++i) registra_codice(s, 15, dove, "again");
  EXPECT_FALSE(codice_conservato(s, 15));
  EXPECT_TRUE(codice_conservato(s, 16));
  registra_avviso(s, genere_avviso::fuori_ordine, dove, "");
  EXPECT_EQ(s.diagnostiche.size(), 2 * kDiagnosticheConservate);
  EXPECT_EQ((s.limite.omesse[{gravita::avviso, 0, genere_avviso::fuori_ordine}]), 1u);
}

TEST(ObjectTable, ClearingResetsEveryEntry) {
  tabella_oggetti t{};
  t[0].nome = "x";
  t[86].orario = 5;
  t[40].param_3 = -2;
  pulisci_tabella(t);
  for (const oggetto& o : t) EXPECT_EQ(o, oggetto{});
}

}  // namespace
}  // namespace sb
