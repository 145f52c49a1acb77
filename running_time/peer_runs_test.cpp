// The published running times of a peer calculator for a two-car diesel
// multiple unit over three 10 km test paths, with the train's data as the
// peer gives them: the model must land within 0.7 % of each.
#include <gtest/gtest.h>

#include <vector>

#include "running_time/fastest_run.h"

namespace sb {
namespace {

// The peer's g, by which its resistances are given in per mille of weight.
constexpr double kGravitaPari = 9.80665;

// The train's tractive effort, km/h and N, linear between rows.
const std::vector<punto_sforzo> kSforzoLocale = {
    {0, 94400}, {1, 94400}, {2, 92800}, {3, 91200}, {4, 89600}, {5, 88000},
    {6, 86400}, {7, 84800}, {8, 83200}, {9, 81600}, {10, 80000}, {11, 78160},
    {12, 76290}, {13, 74420}, {14, 72550}, {15, 70680}, {16, 68810}, {17, 66940},
    {18, 65070}, {19, 63200}, {20, 61330}, {21, 59460}, {22, 57590}, {23, 55720},
    {24, 53850}, {25, 51980}, {26, 50110}, {27, 48240}, {28, 46370}, {29, 44500},
    {30, 42630}, {31, 40760}, {32, 38890}, {33, 38110}, {34, 37330}, {35, 36550},
    {36, 35770}, {37, 35600}, {38, 35600}, {39, 35600}, {40, 35600}, {41, 35600},
    {42, 35600}, {43, 35550}, {44, 35280}, {45, 35010}, {46, 34740}, {47, 34280},
    {48, 33560}, {49, 32880}, {50, 32220}, {51, 31590}, {52, 26300}, {53, 26300},
    {54, 26300}, {55, 26300}, {56, 26300}, {57, 25990}, {58, 25840}, {59, 25690},
    {60, 25540}, {61, 25390}, {62, 25240}, {63, 25090}, {64, 25140}, {65, 24760},
    {66, 24380}, {67, 24020}, {68, 23660}, {69, 23320}, {70, 22990}, {71, 19400},
    {72, 19400}, {73, 19400}, {74, 19400}, {75, 19400}, {76, 19400}, {77, 19400},
    {78, 19400}, {79, 19400}, {80, 19400}, {81, 19440}, {82, 19310}, {83, 19180},
    {84, 19050}, {85, 18920}, {86, 18670}, {87, 18460}, {88, 18250}, {89, 15360},
    {90, 15310}, {91, 15260}, {92, 15210}, {93, 15160}, {94, 15110}, {95, 15060},
    {96, 15010}, {97, 14960}, {98, 14910}, {99, 14860}, {100, 14810}, {101, 14760},
    {102, 14710}, {103, 14660}, {104, 14610}, {105, 14560}, {106, 14510}, {107, 14460},
    {108, 14410}, {109, 14360}, {110, 14310}, {111, 14460}, {112, 14340}, {113, 14210},
    {114, 14080}, {115, 13960}, {116, 13840}, {117, 13720}, {118, 13610}, {119, 13490},
    {120, 13380},
};

// The train: 88 t with its load for inertia and gradient, 41.7 m long (a
// lower limit holds until its rear has passed), a rotating-mass
// factor of 1.08, resistance on the traction unit's 68 t only (3.0 per mille
// of weight on the 45.333 t of the driving axles, 1.4 on the 22.667 t of the
// carrying ones, an air term of 3.9 per mille of 68 t at 100 km/h with 15
// km/h of wind), service braking 0.4253 m/s2, 120 km/h.
treno treno_locale() {
  profilo_treno p;
  p.massa_t = 88.0;
  p.lunghezza_m = 41.7;
  p.masse_rotanti = 0.08;
  p.sforzo = kSforzoLocale;
  p.resistenze = {{45.333, 3.0 * kGravitaPari, 0, 0},
                  {22.667, 1.4 * kGravitaPari, 0, 0},
                  {68.0, 0, 0, 3.9 * kGravitaPari / (100.0 * 100.0)}};
  p.vento_kmh = 15.0;
  p.frenatura = 0.4253;
  p.velocita_massima_kmh = 120.0;
  return risolvi_treno(p, 2);
}

// A 10 km path from a stand to a stand.
percorso_marcia percorso_prova(std::vector<gradino> limiti, std::vector<gradino> pendenze) {
  percorso_marcia p;
  p.limite_kmh = std::move(limiti);
  p.pendenza = std::move(pendenze);
  p.aderenza = {{0, 100}};
  stazione_marcia inizio, fine;
  inizio.ferma = fine.ferma = true;
  fine.posizione = 10000;
  p.stazioni = {inizio, fine};
  return p;
}

// One path and its published time.
struct percorso_pari {
  const char* nome;
  percorso_marcia percorso;
  double tempo_s;
};

TEST(CorsaPiuVeloce, LandsWithinSevenTenthsOfAPercentOfThePeersPublishedTimes) {
  const std::vector<percorso_pari> percorsi = {
      {"const", percorso_prova({{0, 160}}, {{0, 0}}), 391.615},
      {"slope",
       percorso_prova({{0, 160}}, {{0, 0}, {1000, 1}, {2000, 2}, {3000, 5}, {4000, -3}, {5000, 5}, {6000, -10},
                                   {7000, 15}, {8000, -10}, {8500, 20}, {9000, 0}}),
       395.515},
      {"speed",
       percorso_prova({{0, 160}, {3000, 60}, {4000, 160}, {5000, 60}, {6000, 160}, {6500, 60}, {6700, 65},
                       {6800, 70}, {7000, 120}},
                      {{0, 0}}),
       523.315},
  };
  const treno t = treno_locale();
  for (const percorso_pari& x : percorsi) {
    const corsa c = corsa_piu_veloce(x.percorso, t);
    ASSERT_EQ(c.esito, esito_corsa::completa) << x.nome;
    EXPECT_NEAR(c.arrivo_s.back(), x.tempo_s, x.tempo_s * 0.007) << x.nome;
  }
}

}  // namespace
}  // namespace sb
