#include "grammar/text_kinds.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

// The kind of a whole text is the kind most of its rows' keywords belong
// to, counted row by row: runs of one keyword, a keyword after a run of
// another, and a first row with no keyword all count as they stand.
TEST(GenereDelTesto, CountsEveryRowOfARun) {
  struct caso {
    const char* nome;
    const char* testo;
    specie_testo atteso;
  };
  const caso casi[] = {
      {"a run of line rows", "pendenza, 0, 2\npendenza, 100, 3\npendenza, 200, 4\n", specie_testo::linea},
      {"a service row after a run of line rows", "pendenza, 0, 2\npendenza, 100, 3\nvelocita, 0, 80\n",
       specie_testo::linea},
      {"runs that tie", "pendenza, 0, 2\npendenza, 9, 2\nvelocita, 0, 80\nvelocita, 5, 80\n", specie_testo::nessuno},
      {"the longer run wins", "velocita, 0, 80\npendenza, 0, 2\nvelocita, 5, 80\nvelocita, 9, 80\n",
       specie_testo::servizio},
      {"an empty first word, then a run", "\n, 1\nvelocita, 0, 80\nvelocita, 5, 80\n", specie_testo::servizio},
      {"case and blanks", "  Pendenza , 0, 2\nPENDENZA, 1, 2\nvelocita, 0, 80\n", specie_testo::linea},
      {"no keyword at all", "notes\nmore notes\n", specie_testo::nessuno},
  };
  for (const caso& c : casi) EXPECT_EQ(genere_del_testo(c.testo), c.atteso) << c.nome;
}

}  // namespace
}  // namespace sb
