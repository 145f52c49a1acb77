#include "passes/signal_pass.h"

#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "passes/minimo.h"
#include "scenario/error_codes.h"

namespace sb {
namespace {

// One item set up in a cell before the pass.
struct voce {
  int64_t cella;
  uint8_t tipo;
  int16_t dato_1 = 0;
};

// Cell index and value of a code-reduction point after the pass.
using punto = std::pair<int64_t, int16_t>;

// A case of the pass: cells set up directly, the points expected afterwards
// (all of them, old and new) and the code left.
struct caso {
  const char* nome;
  std::vector<voce> voci;
  std::vector<punto> punti;
  int32_t codice = 0;
  int32_t posizione = 0;
};

// Last cell index of the test route.
constexpr int64_t kN = 300;

scenario con_voci(const std::vector<voce>& voci) {
  scenario s;
  s.celle.resize(kN + 1);
  for (const voce& v : voci) {
    s.celle[static_cast<size_t>(v.cella)].tipo = v.tipo;
    s.celle[static_cast<size_t>(v.cella)].dato_1 = v.dato_1;
  }
  return s;
}

std::vector<punto> punti_di(const scenario& s) {
  std::vector<punto> punti;
  for (size_t i = 0; i < s.celle.size(); ++i) {
    if (s.celle[i].tipo == 12) punti.emplace_back(static_cast<int64_t>(i), s.celle[i].dato_1);
  }
  return punti;
}

// Kinds used to set up the cells.
constexpr uint8_t S = 1;    // signal
constexpr uint8_t F = 2;    // slowdown end
constexpr uint8_t I = 3;    // slowdown start (dato_1 = speed)
constexpr uint8_t A = 4;    // warning point
constexpr uint8_t X = 6;    // any item that takes the cell
constexpr uint8_t M = 11;   // montagna filler, free
constexpr uint8_t P = 12;   // code-reduction point (dato_1 = value)

// A slowdown from 100 to 130 at speed 60 with a signal at 135.
std::vector<voce> lento(std::vector<voce> altre = {}) {
  std::vector<voce> v = {{100, I, 60}, {130, F}, {135, S}};
  v.insert(v.end(), altre.begin(), altre.end());
  return v;
}

const caso kCasi[] = {
    {"slow slowdown: near, middle, far, run every 8, before the next signal",
     lento(), {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {124, 180}, {134, 180}}},
    {"run cell 108 taken: 107, then 8 cells on",
     lento({{108, X}}), {{82, 180}, {89, 180}, {95, 180}, {107, 180}, {115, 180}, {123, 180}, {134, 180}}},
    {"run cells 108 and 107 taken: 109, then 8 cells on",
     lento({{108, X}, {107, X}}), {{82, 180}, {89, 180}, {95, 180}, {109, 180}, {117, 180}, {125, 180}, {134, 180}}},
    {"run cells 107 to 109 taken: 13 and no further run point",
     lento({{107, X}, {108, X}, {109, X}}), {{82, 180}, {89, 180}, {95, 180}, {134, 180}}, 13, 108 * 50},
    {"signal after the end with 134 taken: 133",
     lento({{134, X}}), {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {124, 180}, {133, 180}}},
    {"signal after the end with 134 and 133 taken: 13 at the end cell",
     lento({{134, X}, {133, X}}), {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {124, 180}}, 13, 130 * 50},
    {"signal 13 cells after the end is not looked for",
     {{100, I, 60}, {130, F}, {143, S}}, {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {124, 180}}},
    {"signal 12 cells after the end is",
     {{100, I, 60}, {130, F}, {142, S}}, {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {124, 180}, {141, 180}}},
    {"speed exactly 110: the three fixed points only",
     {{100, I, 110}, {130, F}, {135, S}}, {{82, 180}, {89, 180}, {95, 180}}},
    {"speed 109: the run too",
     {{100, I, 109}, {130, F}, {135, S}}, {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {124, 180}, {134, 180}}},
    {"near point: 95 taken gives 94, montagna filler counts as free",
     {{100, I, 110}, {95, X}, {89, M}}, {{82, 180}, {89, 180}, {94, 180}}},
    {"middle point: no free candidate gives 12 at the start, the others stay",
     {{100, I, 110}, {89, X}, {88, X}, {87, X}}, {{82, 180}, {95, 180}}, 12, 100 * 50},
    {"start at 7: no near point", {{7, I, 110}}, {}},
    {"start at 8: near candidates 3, 2, 1", {{8, I, 110}}, {{3, 180}}},
    {"start at 8, cell 3 taken", {{8, I, 110}, {3, X}}, {{2, 180}}},
    {"start at 8, cells 3 and 2 taken", {{8, I, 110}, {3, X}, {2, X}}, {{1, 180}}},
    {"start at 8, cells 3 to 1 taken", {{8, I, 110}, {3, X}, {2, X}, {1, X}}, {}, 12, 8 * 50},
    {"start at 13: no middle point", {{13, I, 110}}, {{8, 180}}},
    {"start at 14: middle point at 3", {{14, I, 110}}, {{3, 180}, {9, 180}}},
    {"start at 20: no far point", {{20, I, 110}}, {{9, 180}, {15, 180}}},
    {"start at 21: far point at 3", {{21, I, 110}}, {{3, 180}, {10, 180}, {16, 180}}},
    {"warning at 70, signal at 60: 59", {{70, A}, {60, S}}, {{59, 180}}},
    {"warning at 70, signal at 60, 59 taken: 58", {{70, A}, {60, S}, {59, X}}, {{58, 180}}},
    {"a free 58 is preferred to lowering 59", {{70, A}, {60, S}, {59, P, 200}}, {{58, 180}, {59, 200}}},
    {"59 holds 200, 58 taken: lowered to 180", {{70, A}, {60, S}, {59, P, 200}, {58, X}}, {{59, 180}}},
    {"59 holds 120, 58 taken: stays 120", {{70, A}, {60, S}, {59, P, 120}, {58, X}}, {{59, 120}}},
    {"59 taken, 58 holds 200: lowered to 180", {{70, A}, {60, S}, {59, X}, {58, P, 200}}, {{58, 180}}},
    {"59 and 58 taken: 11 at the signal", {{70, A}, {60, S}, {59, X}, {58, X}}, {}, 11, 60 * 50},
    {"warning at 12: signal at 3 examined", {{12, A}, {3, S}}, {{2, 180}}},
    {"warning at 12: signal at 11 examined", {{12, A}, {11, S}}, {{10, 180}}},
    {"warning at 12: signal at 2 not", {{12, A}, {2, S}}, {}},
    {"warning at 100: signal 20 cells before examined", {{100, A}, {80, S}}, {{79, 180}}},
    {"warning at 100: signal 21 cells before not", {{100, A}, {79, S}}, {}},
    {"two signals both get their points", {{70, A}, {60, S}, {55, S}}, {{54, 180}, {59, 180}}},
    {"two adjacent signals: the nearer first", {{70, A}, {61, S}, {60, S}}, {{58, 180}, {59, 180}}},
    {"a signal after the warning point is not examined", {{70, A}, {71, S}}, {}},
    {"start at N - 1 is beyond the pass", {{kN - 1, I, 60}}, {}},
    {"run without an end stops at N with a point on N",
     {{292, I, 60}}, {{274, 180}, {281, 180}, {287, 180}, {300, 180}}},
    {"run point candidates N, N - 1 taken: N + 1 counts as taken",
     {{292, I, 60}, {300, X}, {299, X}}, {{274, 180}, {281, 180}, {287, 180}}, 13, 300 * 50},
    {"end near N: the search after it stops at N",
     {{270, I, 60}, {298, F}}, {{252, 180}, {259, 180}, {265, 180}, {278, 180}, {286, 180}, {294, 180}}},
    {"end near N with the signal on N",
     {{270, I, 60}, {298, F}, {300, S}}, {{252, 180}, {259, 180}, {265, 180}, {278, 180}, {286, 180}, {294, 180}, {299, 180}}},
};

TEST(PassaggioSegnali, Casi) {
  for (const caso& c : kCasi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_voci(c.voci);
    passaggio_segnali(s);
    EXPECT_EQ(punti_di(s), c.punti);
    EXPECT_EQ(s.codice_errore, c.codice);
    EXPECT_EQ(s.posizione_errore, c.posizione);
    EXPECT_EQ(s.celle.size(), static_cast<size_t>(kN + 1));
  }
}

TEST(PassaggioSegnali, ItemsOtherThanPointsAreLeftAlone) {
  scenario s = con_voci(lento({{108, X}}));
  s.celle[108].dato_1 = 7;
  passaggio_segnali(s);
  EXPECT_EQ(s.celle[100].tipo, I);
  EXPECT_EQ(s.celle[100].dato_1, 60);
  EXPECT_EQ(s.celle[130].tipo, F);
  EXPECT_EQ(s.celle[135].tipo, S);
  EXPECT_EQ(s.celle[108].tipo, X);
  EXPECT_EQ(s.celle[108].dato_1, 7);
}

TEST(PassaggioSegnali, PassFailureOverwritesCompileCode) {
  scenario s = con_voci({{8, I, 110}, {3, X}, {2, X}, {1, X}});
  registra_codice(s, kSegnaleOccupato, origine_errore::testo_servizio, 17, 1200);
  passaggio_segnali(s);
  EXPECT_EQ(s.codice_errore, kPassaggioInizio);
  EXPECT_EQ(s.posizione_errore, 400);
  EXPECT_EQ(ultimo_codice(s).origine, origine_errore::passaggio);
  EXPECT_EQ(ultimo_codice(s).riga, 0);
}

TEST(PassaggioSegnali, LastFailureOfThePassStands) {
  scenario s = con_voci({{70, A}, {60, S}, {59, X}, {58, X}, {108, I, 110}, {103, X}, {102, X}, {101, X}});
  passaggio_segnali(s);
  EXPECT_EQ(s.codice_errore, kPassaggioInizio);
  EXPECT_EQ(s.posizione_errore, 108 * 50);
}

TEST(PassaggioSegnali, CleanPassKeepsCompileCode) {
  scenario s = con_voci(lento());
  registra_codice(s, kSegnaleOccupato, origine_errore::testo_servizio, 0, 1200);
  passaggio_segnali(s);
  EXPECT_EQ(s.codice_errore, kSegnaleOccupato);
  EXPECT_EQ(s.posizione_errore, 1200);
  EXPECT_EQ(ultimo_codice(s).origine, origine_errore::testo_servizio);
}

TEST(PassaggioSegnali, NoCellsNoWork) {
  scenario s;
  passaggio_segnali(s);
  EXPECT_TRUE(s.celle.empty());
  EXPECT_EQ(s.codice_errore, 0);
}

}  // namespace
}  // namespace sb
