// The train as the running-time model sees it: the parameters an author may
// set in a train profile (each with its default, a four-car regional
// electric multiple unit), and the same resolved into SI units for one run.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "scenario/braking.h"

namespace sb {

// One row of a tabulated tractive effort: the effort at a speed; linear
// between rows.
struct punto_sforzo {
  double velocita_kmh = 0;
  double sforzo_n = 0;

  bool operator==(const punto_sforzo&) const = default;
};

// Running resistance on a part of the train's mass, per tonne of that part:
// A + B V + C (V + wind)², V in km/h.
struct termine_resistenza {
  double massa_t = 0;
  double a_n_t = 0;  // N/t
  double b_n_t = 0;  // N/t per km/h
  double c_n_t = 0;  // N/t per (km/h)²

  bool operator==(const termine_resistenza&) const = default;
};

// The parameters of a train profile, as authored. An absent optional value
// is derived: the mass and length from the number of vehicles, the power
// from the power per tonne.
struct profilo_treno {
  double massa_veicolo_t = 45;
  double lunghezza_veicolo_m = 25;
  std::optional<double> massa_t;      // the whole train, load included
  std::optional<double> lunghezza_m;  // the whole train
  double masse_rotanti = 0.08;        // rho: rotating-mass allowance
  double accelerazione_spunto = 0.9;  // m/s², sets the maximum effort
  double potenza_tonnellata_kw = 9;   // kW per tonne of the train's mass
  std::optional<double> potenza_kw;   // at the wheel
  std::vector<punto_sforzo> sforzo;   // when given, replaces the effort from the two above
  double davis_a = 15;                // N/t
  double davis_b = 0.10;              // N/t per km/h
  double davis_c = 0.0030;            // N/t per (km/h)²
  std::vector<termine_resistenza> resistenze;  // when given, replace the Davis terms on the whole mass
  double vento_kmh = 0;               // added to the speed in the air term
  double frenatura = kFrenaturaServizio;  // m/s², the service braking rate
  double velocita_massima_kmh = 140;
  double sosta_minima_s = 30;         // a stop's dwell when its own is shorter
  double margine_recupero = 3;        // per cent of the fastest running time

  bool operator==(const profilo_treno&) const = default;
};

// The number of vehicles taken when the service gives none: the default
// profile's four cars.
inline constexpr int32_t kVettureSenzaNumero = 4;

// The train of one run, in SI units (speeds in m/s, except where a name says
// km/h).
struct treno {
  double massa_kg = 0;
  double massa_inerziale_kg = 0;  // (1 + rho) m
  double lunghezza_m = 0;
  double sforzo_massimo_n = 0;    // at standstill, on good rail
  double potenza_w = 0;           // 0 with a tabulated effort
  std::vector<punto_sforzo> sforzo;  // rows in km/h and N; empty: min(F_max, P / v)
  double resistenza_0 = 0;        // N
  double resistenza_1 = 0;        // N per km/h
  double resistenza_2 = 0;        // N per (km/h)², on the speed plus the wind
  double vento_kmh = 0;
  double frenatura = 0;           // m/s²
  double velocita_massima = 0;    // m/s
  double sosta_minima_s = 0;
  double margine_recupero = 0;    // per cent
};

// The train of a profile with a number of vehicles (0 or less: the default
// profile's four).
treno risolvi_treno(const profilo_treno& p, int32_t numero_vetture);

// The effort of a tabulated train at a speed in km/h: linear between rows,
// the first row's below it and the last row's beyond it.
double sforzo_tabella(const std::vector<punto_sforzo>& tabella, double v_kmh);

// What the acceleration under traction needs over a stretch of constant
// gradient (per mille, uphill positive) and adhesion (per cent): the train's
// effort and resistance, the effort the adhesion allows and the gradient's
// force (N), gathered once so that the run's inner loop reads no further.
struct forze_tratto {
  const std::vector<punto_sforzo>* tabella = nullptr;  // empty: min(F_max, P / v)
  double potenza_w = 0;
  double limite_aderenza = 0;
  double resistenza_0 = 0;
  double resistenza_1 = 0;
  double resistenza_2 = 0;
  double vento_kmh = 0;
  double gravita = 0;
  double massa_inerziale_kg = 0;
};

// The forces of a train over a stretch (adhesion above 100 counts as 100:
// the motors give no more than their maximum).
inline forze_tratto forze_di(const treno& t, double pendenza, double aderenza) {
  const double quota = std::clamp(aderenza, 0.0, 100.0) / 100.0;
  forze_tratto f;
  f.tabella = &t.sforzo;
  f.potenza_w = t.potenza_w;
  f.limite_aderenza = t.sforzo_massimo_n * quota;
  f.resistenza_0 = t.resistenza_0;
  f.resistenza_1 = t.resistenza_1;
  f.resistenza_2 = t.resistenza_2;
  f.vento_kmh = t.vento_kmh;
  f.gravita = t.massa_kg * kGravita * pendenza / 1000.0;
  f.massa_inerziale_kg = t.massa_inerziale_kg;
  return f;
}

// The tractive effort in N at speed v (m/s). In the header, as the two
// below, so that the run's inner loop has them inline.
inline double sforzo_trazione(const forze_tratto& f, double v) {
  if (!f.tabella->empty()) return std::min(sforzo_tabella(*f.tabella, v * kKmhPerMs), f.limite_aderenza);
  if (v <= 0.0) return f.limite_aderenza;
  return std::min(f.limite_aderenza, f.potenza_w / v);
}

// The running resistance in N at speed v (m/s).
inline double resistenza_moto(const forze_tratto& f, double v) {
  const double v_kmh = v * kKmhPerMs;
  const double aria = v_kmh + f.vento_kmh;
  return f.resistenza_0 + f.resistenza_1 * v_kmh + f.resistenza_2 * aria * aria;
}

// The acceleration under full traction at speed v over a stretch with the
// forces f; negative where the train slows down.
inline double accelerazione_trazione(const forze_tratto& f, double v) {
  return (sforzo_trazione(f, v) - resistenza_moto(f, v) - f.gravita) / f.massa_inerziale_kg;
}

}  // namespace sb
