#include "service/profile_fill.h"

#include <vector>

#include "test_support/service_fixture.h"

namespace sb {
namespace {

// Cells da to a (inclusive) hold valore.
struct tratto {
  int da;
  int a;
  int valore;
};

// The expected field of every cell, 0 where no stretch says otherwise.
std::vector<int> profilo(size_t celle, const std::vector<tratto>& tratti) {
  std::vector<int> p(celle, 0);
  for (const tratto& t : tratti) {
    for (int i = t.da; i <= t.a; ++i) p.at(static_cast<size_t>(i)) = t.valore;
  }
  return p;
}

struct caso {
  const char* nome;
  std::string corpo;
  prova::esito_atteso esito;
  std::vector<tratto> velocita;
  std::vector<tratto> aderenza;
};

// Fifteen adhesion rows at 50 m after one at 16 500 m, each writing one cell.
std::string aderenze_fuori_ordine() {
  std::string t = "aderenza, 0, 20\r\naderenza, 16500, 30\r\n";
  for (int i = 0; i < 15; ++i) t += "aderenza, 50, 40\r\n";
  return t;
}

// Likewise for the speed.
std::string velocita_fuori_ordine() {
  std::string t = "velocita, 0, 50\r\nvelocita, 16500, 60\r\n";
  for (int i = 0; i < 15; ++i) t += "velocita, 50, 70\r\n";
  return t;
}

// The cells run 0 to 340; the tails stop before cell 338.
const caso kCasi[] = {
    {"three speed rows and the tail", "velocita, 0, 85\r\nvelocita, 4500, 50\r\nvelocita, 6250, 85\r\n",
     {}, {{0, 89, 17}, {90, 124, 10}, {125, 337, 17}}, {}},
    {"105 is 21 and 87 is 17", "velocita, 0, 105\r\nvelocita, 1000, 87\r\n",
     {}, {{0, 19, 21}, {20, 337, 17}}, {}},
    {"a row at 0 writes nothing; the previous speed starts at 0", "velocita, 1000, 60\r\n",
     {}, {{20, 337, 12}}, {}},
    {"a row behind the fill index still writes one cell",
     "velocita, 0, 50\r\nvelocita, 1000, 60\r\nvelocita, 500, 70\r\n",
     {}, {{0, 19, 10}, {20, 20, 12}, {21, 337, 14}}, {}},
    {"the speed fill never reaches cell N; the tail writes N once", velocita_fuori_ordine(),
     {}, {{0, 329, 10}, {330, 330, 12}, {331, 340, 14}}, {}},
    {"a fifth above 255 fails when it is written, on the row that set it",
     "velocita, 0, 1300\r\nvelocita, 1000, 85\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}, {}},
    {"a fifth above 255 in the last row fails in the tail", "velocita, 0, 85\r\nvelocita, 1000, 1280\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 4}, {{0, 19, 17}}, {}},
    {"a negative speed fails", "velocita, 0, -5\r\n",
     {esito_fase_servizio::lettura_fallita, 25, 0, 3}, {}, {}},
    {"1277 rounds to 255 and fits", "velocita, 0, 1277\r\n",
     {}, {{0, 337, 255}}, {}},
    {"adhesion keeps the low 8 bits", "aderenza, 0, 300\r\naderenza, 1000, 70\r\n",
     {}, {}, {{0, 19, 44}, {20, 337, 70}}},
    {"the adhesion fill never reaches cell N either", aderenze_fuori_ordine(),
     {}, {}, {{0, 329, 20}, {330, 330, 30}, {331, 340, 40}}},
    {"a row beyond the route is code 15 and the tails still run",
     "velocita, 0, 50\r\naderenza, 0, 9\r\nvelocita, 16901, 60\r\naderenza, 1000, 8\r\n",
     {esito_fase_servizio::completa, 15, 16901, 5}, {{0, 337, 10}}, {{0, 337, 9}}},
    {"the last position the route check lets through", "velocita, 0, 50\r\nvelocita, 16900, 60\r\n",
     {}, {{0, 337, 10}, {338, 338, 12}}, {}},
};

TEST(ProfileFill, GoldenTable) {
  for (const caso& k : kCasi) {
    SCOPED_TRACE(k.nome);
    scenario s = prova::con_celle(340);
    esito_fase_servizio fine = fase_servizio(s, prova::testo(k.corpo));
    prova::verifica_esito(s, fine, k.esito);
    std::vector<int> velocita, aderenza;
    for (const cella& x : s.celle) {
      velocita.push_back(x.velocita);
      aderenza.push_back(x.aderenza);
    }
    EXPECT_EQ(velocita, profilo(s.celle.size(), k.velocita));
    EXPECT_EQ(aderenza, profilo(s.celle.size(), k.aderenza));
  }
}

// With cells 0 to 2 the tails write cell 0 once and nothing more.
TEST(ProfileFill, TinyRoute) {
  scenario s = prova::con_celle(2);
  EXPECT_EQ(fase_servizio(s, prova::testo("velocita, 0, 50\r\naderenza, 0, 9\r\n")), esito_fase_servizio::completa);
  EXPECT_EQ(s.codice_errore, 0);
  ASSERT_EQ(s.celle.size(), 3u);
  EXPECT_EQ(s.celle[0].velocita, 10);
  EXPECT_EQ(s.celle[1].velocita, 0);
  EXPECT_EQ(s.celle[0].aderenza, 9);
  EXPECT_EQ(s.celle[1].aderenza, 0);
}

}  // namespace
}  // namespace sb
