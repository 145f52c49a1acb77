// The checks across rows at the end of the service read, once every station,
// signal, slowdown and speed limit is known: a signal inside a station, a
// maximum-speed indicator of the line above the run's limit, a slowdown whose
// warning point is too close to brake in.
#pragma once

#include <cstdint>

#include "scenario/scenario_records.h"
#include "service/service_read.h"

namespace sb {

// Metres past a maximum-speed indicator within which the limit it announces
// takes effect: authors set the indicator a little before the "velocita" row.
inline constexpr int32_t kPortataIndicatore = 200;

// Warns about every signal that stands strictly inside a station's extent,
// every indicator that shows more than the highest limit from it to
// kPortataIndicatore past it, and every slowdown with a warning point that
// is nearer than the braking distance (scenario/braking.h) from the limit at
// the warning point down to the slowdown's speed, on the mean gradient of
// the cells between the two.
void avvisi_di_collocazione(scenario& s, const lettura_servizio& r);

}  // namespace sb
