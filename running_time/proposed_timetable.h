// A timetable proposed from the fastest run: for every timed station the
// earliest time, rounded up, that leaves each leg the recovery margin over
// the fastest run, the departure from the origin given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "running_time/running_time.h"

namespace sb {

// What a proposal is asked for.
struct richiesta_proposta {
  double margine_pct = 3;    // the recovery margin each leg keeps, per cent of its fastest time
  int32_t arrotonda_s = 30;  // times rounded up to a multiple of it (seconds since midnight)
  int32_t partenza = 0;      // the departure from the origin, seconds since midnight
};

// One timed station's time, now and proposed, and the leg that ends there.
struct orario_proposto {
  size_t stazione = 0;      // index into risultato_marcia::stazioni
  int32_t attuale = 0;      // seconds since midnight, as the service gives it
  int32_t proposto = 0;     // seconds since midnight
  bool con_tratta = false;  // a leg ends here (not at the first timed station)
  double minimo_s = 0;      // the leg's fastest time, dwells between included
  int32_t previsto_s = 0;   // the leg's scheduled time with the proposed times
  double margine_pct = 0;   // the leg's margin with them, per cent of minimo_s

  bool operator==(const orario_proposto&) const = default;
};

// A proposal: the times in route order, or why there is none.
struct proposta_orario {
  std::vector<orario_proposto> orari;
  std::string errore;  // for an author; empty when the proposal is whole
};

// The time at a station as the timetable reads it (risultato_marcia's
// reading): a station's time is its departure, so at a stop between the
// origin and the destination the arrival is that less the dwell it gives.
int32_t arrivo_letto(const risultato_marcia& r, size_t k, int32_t orario);

// The proposal over a complete run: the origin's time the departure, then
// each timed station's the arrival that keeps the margin over the leg's
// fastest time, plus the dwell at a stop (its own, at least the train's
// minimum), rounded up. Times past midnight wrap to the next day.
proposta_orario proponi_orario(const risultato_marcia& r, const richiesta_proposta& q);

}  // namespace sb
