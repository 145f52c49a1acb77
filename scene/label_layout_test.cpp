#include "scene/label_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support/page_cases.h"

namespace sb {
namespace {

// The page places its labels with its own placer; both follow one table.
TEST(PosatoreEtichette, FollowsThePagesTable) {
  const std::string nome = "labels.txt";
  posatore_etichette posatore;
  for (const prova::riga_caso& c : prova::casi_pagina(nome)) {
    const std::string& fare = c.parole.at(0);
    auto casella = [&](size_t k) { return riquadro{c.numero(k), c.numero(k + 1), c.numero(k + 2), c.numero(k + 3)}; };
    if (fare == "new") {
      posatore = posatore_etichette{};
    } else if (fare == "place") {
      EXPECT_EQ(posatore.prendi(casella(1)), c.parole.at(5) == "yes") << c.dove(nome);
    } else if (fare == "take") {
      posatore.occupa(casella(1));
    } else if (fare == "inside") {
      EXPECT_EQ(casella(1).dentro(casella(5)), c.parole.at(9) == "yes") << c.dove(nome);
    } else if (fare == "box") {
      const riquadro r = riquadro_etichetta(c.numero(1), c.numero(2), c.numero(3), c.numero(4));
      const riquadro atteso = casella(5);
      EXPECT_TRUE(prova::vicini(r.x0, atteso.x0) && prova::vicini(r.y0, atteso.y0) && prova::vicini(r.x1, atteso.x1) &&
                  prova::vicini(r.y1, atteso.y1))
          << c.dove(nome) << ": " << r.x0 << " " << r.y0 << " " << r.x1 << " " << r.y1;
    } else {
      ADD_FAILURE() << c.dove(nome) << ": unknown case " << fare;
    }
  }
}

// The box around every box taken, marks included; none taken gives x0 > x1.
TEST(PosatoreEtichette, LimitsOfWhatIsTaken) {
  posatore_etichette p;
  EXPECT_GT(p.limiti().x0, p.limiti().x1);
  EXPECT_TRUE(p.prendi({0, 0, 10, 10}));
  p.occupa({-5, 20, 3, 30});
  EXPECT_FALSE(p.prendi({2, 25, 200, 200}));
  const riquadro r = p.limiti();
  EXPECT_EQ(r.x0, -5);
  EXPECT_EQ(r.y0, 0);
  EXPECT_EQ(r.x1, 10);
  EXPECT_EQ(r.y1, 30);
}

}  // namespace
}  // namespace sb
