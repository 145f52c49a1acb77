#include "running_time/train_profile.h"

#include <algorithm>

namespace sb {
namespace {

constexpr double kKmhInMs = 3.6;

// The effort of a table at a speed in km/h: linear between rows, the first
// row's below it and the last row's beyond it.
double sforzo_tabella(const std::vector<punto_sforzo>& tabella, double v_kmh) {
  if (v_kmh <= tabella.front().velocita_kmh) return tabella.front().sforzo_n;
  if (v_kmh >= tabella.back().velocita_kmh) return tabella.back().sforzo_n;
  const auto dopo = std::upper_bound(tabella.begin(), tabella.end(), v_kmh,
                                     [](double v, const punto_sforzo& p) { return v < p.velocita_kmh; });
  const punto_sforzo& b = *dopo;
  const punto_sforzo& a = *(dopo - 1);
  const double quota = (v_kmh - a.velocita_kmh) / (b.velocita_kmh - a.velocita_kmh);
  return a.sforzo_n + (b.sforzo_n - a.sforzo_n) * quota;
}

}  // namespace

treno risolvi_treno(const profilo_treno& p, int32_t numero_vetture) {
  const double vetture = numero_vetture > 0 ? numero_vetture : kVettureSenzaNumero;
  const double massa_t = p.massa_t.value_or(vetture * p.massa_veicolo_t);
  treno t;
  t.massa_kg = massa_t * 1000.0;
  t.massa_inerziale_kg = (1.0 + p.masse_rotanti) * t.massa_kg;
  t.lunghezza_m = p.lunghezza_m.value_or(vetture * p.lunghezza_veicolo_m);
  t.sforzo = p.sforzo;
  if (t.sforzo.empty()) {
    t.sforzo_massimo_n = t.massa_inerziale_kg * p.accelerazione_spunto;
    t.potenza_w = p.potenza_kw.value_or(p.potenza_tonnellata_kw * massa_t) * 1000.0;
  } else {
    t.sforzo_massimo_n = sforzo_tabella(t.sforzo, 0.0);
  }
  if (p.resistenze.empty()) {
    t.resistenza_0 = massa_t * p.davis_a;
    t.resistenza_1 = massa_t * p.davis_b;
    t.resistenza_2 = massa_t * p.davis_c;
  }
  for (const termine_resistenza& r : p.resistenze) {
    t.resistenza_0 += r.massa_t * r.a_n_t;
    t.resistenza_1 += r.massa_t * r.b_n_t;
    t.resistenza_2 += r.massa_t * r.c_n_t;
  }
  t.vento_kmh = p.vento_kmh;
  t.frenatura = p.frenatura;
  t.velocita_massima = p.velocita_massima_kmh / kKmhInMs;
  t.sosta_minima_s = p.sosta_minima_s;
  t.margine_recupero = p.margine_recupero;
  return t;
}

double sforzo_trazione(const treno& t, double v, double aderenza) {
  const double quota = std::clamp(aderenza, 0.0, 100.0) / 100.0;
  const double limite_aderenza = t.sforzo_massimo_n * quota;
  if (!t.sforzo.empty()) return std::min(sforzo_tabella(t.sforzo, v * kKmhInMs), limite_aderenza);
  if (v <= 0.0) return limite_aderenza;
  return std::min(limite_aderenza, t.potenza_w / v);
}

double resistenza_moto(const treno& t, double v) {
  const double v_kmh = v * kKmhInMs;
  const double aria = v_kmh + t.vento_kmh;
  return t.resistenza_0 + t.resistenza_1 * v_kmh + t.resistenza_2 * aria * aria;
}

double accelerazione_trazione(const treno& t, double v, double pendenza, double aderenza) {
  const double gravita = t.massa_kg * kGravita * pendenza / 1000.0;
  return (sforzo_trazione(t, v, aderenza) - resistenza_moto(t, v) - gravita) / t.massa_inerziale_kg;
}

}  // namespace sb
