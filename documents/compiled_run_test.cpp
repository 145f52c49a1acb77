#include "documents/compiled_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/train_sheet_layout.h"
#include "test_support/page_cases.h"

namespace sb {
namespace {

// The chainage entries 81, 82, 83 as progressive_ordina leaves them.
tabella_oggetti con_progressive(std::vector<oggetto> voci) {
  tabella_oggetti t{};
  for (size_t k = 0; k < voci.size(); ++k) t[kOggettoProgressivaTre + k] = voci[k];
  return t;
}

oggetto voce(int32_t inizio, int32_t fine) {
  oggetto o;
  o.inizio = inizio;
  o.fine = fine;
  return o;
}

// The stretches say what progressiva_a says at every metre, jumps included;
// the page and the picture draw their axes from them.
TEST(TrattiProgressiva, AgreeWithTheChainageAtEveryMetre) {
  struct caso {
    const char* nome;
    tabella_oggetti tabella;
    std::vector<tratto_progressiva> tratti;
  };
  const caso casi[] = {
      {"all entries 0: the position", con_progressive({}), {}},
      {"from 12+000 at the start", con_progressive({voce(0, 12000)}), {{0, 12000}}},
      {"a chainage that is the position from 0", con_progressive({voce(0, 0)}), {}},
      {"from 3 000 m on only", con_progressive({voce(3000, 40000)}), {{3000, 37000}}},
      {"three stretches, one jumping back",
       con_progressive({voce(8000, 20000), voce(5000, 19000), voce(0, 12000)}),
       {{0, 12000}, {5000, 14000}, {8000, 12000}}},
      {"a later entry hidden by an earlier one",
       con_progressive({voce(0, 12000), voce(5000, 90000)}),
       {{0, 12000}}},
      {"counting down below 0", con_progressive({voce(-500, 100)}), {{-500, 600}}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::vector<tratto_progressiva> tratti = tratti_progressiva(c.tabella);
    EXPECT_EQ(tratti, c.tratti);
    for (int64_t m = -1000; m <= 10000; ++m) {
      int64_t scarto = 0;
      for (const tratto_progressiva& t : tratti) {
        if (t.da <= m) scarto = t.scarto;
      }
      ASSERT_EQ(m + scarto, progressiva_a(c.tabella, m)) << "at " << m << " m";
    }
  }
}

// The sheet's chainage and the kilometre post's, as the page's script
// writes them too.
TEST(Chilometri, AsTheSheetAndThePostsWriteThem) {
  for (const prova::riga_caso& c : prova::casi_pagina("kilometres.txt")) {
    const int64_t metri = std::stoll(c.parole.at(0));
    EXPECT_EQ(chilometri(metri), c.parole.at(1)) << c.dove("kilometres.txt");
    EXPECT_EQ(chilometro_cippo(metri), c.parole.at(2)) << c.dove("kilometres.txt");
  }
}

}  // namespace
}  // namespace sb
