#include "running_time/fastest_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace sb {
namespace {

constexpr double kKmh = 1.0 / 3.6;

// A train with no running resistance, a constant effort that gives the
// acceleration a, and a power (W) high enough to leave it constant unless
// one is given; no speed of its own below 1000 km/h.
treno senza_resistenza(double a, double potenza_w = 1e15) {
  profilo_treno p;
  p.davis_a = p.davis_b = p.davis_c = 0;
  p.accelerazione_spunto = a;
  p.potenza_kw = potenza_w / 1000.0;
  p.velocita_massima_kmh = 1000;
  return risolvi_treno(p, 4);
}

// A stop at a position, with its dwell.
stazione_marcia fermata(int64_t posizione, int32_t sosta = 0) {
  stazione_marcia st;
  st.nome = "at " + std::to_string(posizione);
  st.posizione = posizione;
  st.ferma = true;
  st.sosta_s = sosta;
  return st;
}

// Level track with the limits given, from a stop at 0 to a stop at L.
percorso_marcia piano(int64_t lunghezza, std::vector<gradino> limiti) {
  percorso_marcia p;
  p.limite_kmh = std::move(limiti);
  p.pendenza = {{0, 0}};
  p.aderenza = {{0, 100}};
  p.stazioni = {fermata(0), fermata(lunghezza)};
  return p;
}

// The time from the origin to the destination.
double tempo_totale(const corsa& c) { return c.arrivo_s.back(); }

// Accelerating at a and braking at b over L with the limit V (m/s).
double trapezio(double lunghezza, double v, double a, double b) {
  return lunghezza / v + v / (2 * a) + v / (2 * b);
}

// One case of the closed-form table: a run and its time worked out by hand.
struct caso_chiuso {
  const char* nome;
  percorso_marcia percorso;
  treno modello;
  double atteso_s;
};

std::vector<caso_chiuso> casi_chiusi() {
  std::vector<caso_chiuso> casi;
  const double a = 0.9, b = 0.5;
  {
    const double v = 100 * kKmh;
    casi.push_back({"accelerate, hold the limit, brake to the stop", piano(5000, {{0, 100}}), senza_resistenza(a),
                    trapezio(5000, v, a, b)});
  }
  {
    // Too short to reach 200 km/h: the peak speed where the two curves meet.
    const double picco = std::sqrt(2 * a * b * 500 / (a + b));
    casi.push_back({"a short leg never reaches its limit", piano(500, {{0, 200}}), senza_resistenza(a),
                    picco / a + picco / b});
  }
  {
    // 120 km/h down to 60 km/h at 4000 m, braked for before it.
    const double v1 = 120 * kKmh, v2 = 60 * kKmh;
    const double fine_accelerazione = v1 * v1 / (2 * a);
    const double inizio_frenata = 4000 - (v1 * v1 - v2 * v2) / (2 * b);
    const double atteso = v1 / a + (inizio_frenata - fine_accelerazione) / v1 + (v1 - v2) / b +
                          (8000 - 4000 - v2 * v2 / (2 * b)) / v2 + v2 / b;
    casi.push_back({"a limit drop braked for", piano(8000, {{0, 120}, {4000, 60}}), senza_resistenza(a), atteso});
  }
  {
    // A stop half way with a dwell of 45 s.
    percorso_marcia p = piano(6000, {{0, 100}});
    p.stazioni.insert(p.stazioni.begin() + 1, fermata(3000, 45));
    casi.push_back({"a stop with its dwell", p, senza_resistenza(a), 2 * trapezio(3000, 100 * kKmh, a, b) + 45});
  }
  {
    // Power-limited above P / F_max: from there to 140 km/h the integral of
    // (1 + rho) m v dv / P.
    const double potenza = 1.62e6;
    const treno t = senza_resistenza(a, potenza);
    const double m = t.massa_inerziale_kg;
    const double v_c = potenza / t.sforzo_massimo_n;
    const double v = 140 * kKmh;
    const double s_acc = v_c * v_c / (2 * a) + m * (v * v * v - v_c * v_c * v_c) / (3 * potenza);
    const double t_acc = v_c / a + m * (v * v - v_c * v_c) / (2 * potenza);
    const double atteso = t_acc + (6000 - s_acc - v * v / (2 * b)) / v + v / b;
    casi.push_back({"power-limited acceleration", piano(6000, {{0, 140}}), t, atteso});
  }
  return casi;
}

TEST(CorsaPiuVeloce, ClosedFormCasesWithinAThousandth) {
  for (const caso_chiuso& k : casi_chiusi()) {
    const corsa c = corsa_piu_veloce(k.percorso, k.modello);
    ASSERT_EQ(c.esito, esito_corsa::completa) << k.nome;
    EXPECT_NEAR(tempo_totale(c), k.atteso_s, k.atteso_s * 1e-3) << k.nome;
  }
}

TEST(CorsaPiuVeloce, SpeedsFollowConstantAccelerationAndBraking) {
  const double a = 0.9, b = 0.5, v = 100 * kKmh;
  const corsa c = corsa_piu_veloce(piano(5000, {{0, 100}}), senza_resistenza(a));
  ASSERT_EQ(c.campioni.size(), 101u);
  for (const campione_corsa& x : c.campioni) {
    const double s = static_cast<double>(x.posizione);
    const double atteso = std::min({std::sqrt(2 * a * s), v, std::sqrt(2 * b * (5000 - s))});
    EXPECT_NEAR(x.velocita_kmh * kKmh, atteso, 1e-9 + atteso * 1e-3) << x.posizione;
    if (s <= v * v / (2 * a)) {
      EXPECT_NEAR(x.tempo_s, std::sqrt(2 * s / a), 1e-6) << x.posizione;
    }
    EXPECT_DOUBLE_EQ(x.limite_kmh, 100.0);
  }
}

TEST(CorsaPiuVeloce, HoldsTheBalancingSpeedOnALongClimb) {
  const treno t = risolvi_treno(profilo_treno{}, 4);
  percorso_marcia p = piano(40000, {{0, 200}});
  p.pendenza = {{0, 20}};
  const corsa c = corsa_piu_veloce(p, t);
  // Where P / v = R(v) + m g i / 1000, by halving.
  double basso = 1, alto = 100;
  for (int i = 0; i < 200; ++i) {
    const double v = (basso + alto) / 2;
    const bool sale = t.potenza_w / v > resistenza_moto(forze_di(t, 0, 100), v) + t.massa_kg * kGravita * 20 / 1000;
    (sale ? basso : alto) = v;
  }
  ASSERT_EQ(c.esito, esito_corsa::completa);
  EXPECT_NEAR(c.campioni[600].velocita_kmh * kKmh, basso, basso * 1e-3);  // at 30 km
  EXPECT_LT(basso, 140 * kKmh);
}

TEST(CorsaPiuVeloce, TheWholeTrainClearsALowerLimitBeforeItAccelerates) {
  // 4 vehicles: 100 m. 30 km/h from 2000 to 2400 m, as a slowdown or as the
  // line's own limit: either holds until the rear has passed 2400 m.
  percorso_marcia rallentamento = piano(6000, {{0, 100}});
  rallentamento.rallentamenti = {{2000, 2400, 30}};
  const percorso_marcia linea = piano(6000, {{0, 100}, {2000, 30}, {2400, 100}});
  for (const percorso_marcia& p : {rallentamento, linea}) {
    SCOPED_TRACE(p.rallentamenti.empty() ? "line limit" : "slowdown");
    const corsa c = corsa_piu_veloce(p, risolvi_treno(profilo_treno{}, 4));
    auto velocita_a = [&c](int64_t x) { return c.campioni[static_cast<size_t>(x / 50)].velocita_kmh; };
    EXPECT_NEAR(velocita_a(2000), 30.0, 1e-9);
    EXPECT_NEAR(velocita_a(2450), 30.0, 1e-9);
    EXPECT_NEAR(velocita_a(2500), 30.0, 1e-9);
    EXPECT_GT(velocita_a(2550), 30.0);
    EXPECT_DOUBLE_EQ(c.campioni[2450 / 50].limite_kmh, 30.0);
    EXPECT_DOUBLE_EQ(c.campioni[2500 / 50].limite_kmh, 100.0);
  }
}

TEST(CorsaPiuVeloce, ALimitRisingAgainUnderTheTrainIsHeldToItsLowest) {
  // 60, then 80 for only 50 m, then 100 km/h: a 100 m train stands on all
  // three at once, and only the rear's passing of each lifts the limit.
  const percorso_marcia p = piano(6000, {{0, 100}, {2000, 60}, {2400, 80}, {2450, 100}});
  const corsa c = corsa_piu_veloce(p, risolvi_treno(profilo_treno{}, 4));
  auto limite_a = [&c](int64_t x) { return c.campioni[static_cast<size_t>(x / 50)].limite_kmh; };
  EXPECT_DOUBLE_EQ(limite_a(2450), 60.0);
  EXPECT_DOUBLE_EQ(limite_a(2500), 80.0);
  EXPECT_DOUBLE_EQ(limite_a(2550), 100.0);
  // Without a length the front alone counts, as before.
  treno corto = risolvi_treno(profilo_treno{}, 4);
  corto.lunghezza_m = 0;
  const corsa d = corsa_piu_veloce(p, corto);
  EXPECT_DOUBLE_EQ(d.campioni[2400 / 50].limite_kmh, 80.0);
  EXPECT_DOUBLE_EQ(d.campioni[2450 / 50].limite_kmh, 100.0);
}

TEST(CorsaPiuVeloce, TrainThatCannotGoOnSaysWhereAndWhy) {
  const treno t = risolvi_treno(profilo_treno{}, 4);
  percorso_marcia ripida = piano(6000, {{0, 100}});
  ripida.pendenza = {{0, 0}, {3000, 60}};
  ripida.aderenza = {{0, 100}, {2000, 20}};
  const corsa c = corsa_piu_veloce(ripida, t);
  EXPECT_EQ(c.esito, esito_corsa::ferma);
  EXPECT_EQ(c.causa, causa_arresto::pendenza);
  EXPECT_GE(c.arresto, 3000);
  EXPECT_LT(c.arresto, 6000);  // rolls on up the climb before it stands
  EXPECT_TRUE(std::isinf(tempo_totale(c)));

  const corsa zero = corsa_piu_veloce(piano(6000, {{0, 100}, {3000, 0}, {3500, 100}}), t);
  EXPECT_EQ(zero.esito, esito_corsa::ferma);
  EXPECT_EQ(zero.causa, causa_arresto::limite_zero);
  EXPECT_EQ(zero.arresto, 3000);
}

TEST(CorsaPiuVeloce, StationsOutOfOrderOrTooFewGiveNoRun) {
  const treno t = risolvi_treno(profilo_treno{}, 4);
  percorso_marcia p = piano(6000, {{0, 100}});
  EXPECT_EQ(corsa_piu_veloce(percorso_marcia{}, t).esito, esito_corsa::senza_corsa);
  p.stazioni.push_back(fermata(3000));
  EXPECT_EQ(corsa_piu_veloce(p, t).esito, esito_corsa::fuori_ordine);
}

TEST(CorsaPiuVeloce, PassesAStationAtSpeedAndGivesTheDwellAtLeastTheMinimum) {
  const treno t = risolvi_treno(profilo_treno{}, 4);
  percorso_marcia p = piano(9000, {{0, 100}});
  stazione_marcia transito = fermata(3000);
  transito.ferma = false;
  p.stazioni.insert(p.stazioni.begin() + 1, {transito, fermata(6000, 1)});
  const corsa c = corsa_piu_veloce(p, t);
  ASSERT_EQ(c.esito, esito_corsa::completa);
  EXPECT_NEAR(c.campioni[3000 / 50].velocita_kmh, 100.0, 1e-9);
  EXPECT_DOUBLE_EQ(c.partenza_s[1], c.arrivo_s[1]);
  EXPECT_DOUBLE_EQ(c.partenza_s[2] - c.arrivo_s[2], 30.0);
  EXPECT_DOUBLE_EQ(c.campioni[6000 / 50].velocita_kmh, 0.0);
}

// Where the train holds the limit and where it brakes along the curve to a
// stop, the run's samples keep the exact kinematics metre for metre: the
// time grows by the distance over the speed, and on the curve the speed is
// sqrt(2 b d) before the stop with the time (v - v') / b between samples.
TEST(CorsaPiuVeloce, HoldsAndBrakesWithExactTimesBetweenSamples) {
  const treno t = risolvi_treno(profilo_treno{}, 4);
  const double v = 100.0 * kKmh;
  const corsa c = corsa_piu_veloce(piano(6000, {{0, 100}}), t);
  ASSERT_EQ(c.esito, esito_corsa::completa);
  const double inizio_frenata = 6000 - v * v / (2 * t.frenatura);
  for (size_t k = 1; k < c.campioni.size(); ++k) {
    const campione_corsa& a = c.campioni[k - 1];
    const campione_corsa& b = c.campioni[k];
    const double va = a.velocita_kmh * kKmh;
    const double vb = b.velocita_kmh * kKmh;
    if (va == v && vb == v) {
      EXPECT_NEAR(b.tempo_s - a.tempo_s, 50.0 / v, 1e-9) << b.posizione;
    } else if (static_cast<double>(a.posizione) > inizio_frenata + 1) {
      EXPECT_NEAR(vb, std::sqrt(2 * t.frenatura * static_cast<double>(6000 - b.posizione)), 1e-9) << b.posizione;
      EXPECT_NEAR(b.tempo_s - a.tempo_s, (va - vb) / t.frenatura, 1e-9) << b.posizione;
    }
  }
  EXPECT_NEAR(c.campioni[5000 / 50].velocita_kmh, 100.0, 1e-9);
}

}  // namespace
}  // namespace sb
