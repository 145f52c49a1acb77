#include "running_time/train_profile.h"

#include <algorithm>

namespace sb {

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
  t.velocita_massima = p.velocita_massima_kmh / kKmhPerMs;
  t.sosta_minima_s = p.sosta_minima_s;
  t.margine_recupero = p.margine_recupero;
  return t;
}

}  // namespace sb
