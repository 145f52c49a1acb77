// The fastest run a train can make over a track: forward with full traction,
// backward with the constant service brake from every point where the limit
// drops and from every stop, the run being the lower of the two, integrated
// over distance in steps of 1 m.
#pragma once

#include <cstdint>
#include <vector>

#include "running_time/run_track.h"
#include "running_time/train_profile.h"

namespace sb {

// How a run ended.
enum class esito_corsa {
  completa,      // from the origin to the destination
  senza_corsa,   // fewer than two stations: nothing to run
  fuori_ordine,  // two stations do not follow each other along the route
  ferma,         // the train comes to a stand at `arresto` and cannot go on (or its run passes a day there)
};

// Why a train cannot go on.
enum class causa_arresto {
  nessuna,
  limite_zero,  // a speed limit of 0 km/h
  aderenza_zero,  // an adhesion of 0 %: the wheels take no effort
  pendenza,     // the gradient is more than the effort at that adhesion can climb
  oltre_un_giorno,  // the run takes more than a day: the profile makes the train too slow
};

// The longest run the model makes: a day from the departure at the origin,
// as a timetable's times are within one. A run past it stops there.
inline constexpr double kTempoMassimoCorsa = 24.0 * 3600.0;

// The run at one position.
struct campione_corsa {
  int64_t posizione = 0;  // metres
  double limite_kmh = 0;  // the limit from here on (before it, at the destination)
  double velocita_kmh = 0;
  double tempo_s = 0;     // since the departure from the origin, dwells included; at a stop, its arrival

  bool operator==(const campione_corsa&) const = default;
};

// The fastest run.
struct corsa {
  esito_corsa esito = esito_corsa::senza_corsa;
  int64_t arresto = 0;  // where the train stands, when it cannot go on
  causa_arresto causa = causa_arresto::nessuna;
  double pendenza_arresto = 0;  // per mille, where it stands
  double aderenza_arresto = 0;  // per cent, where it stands
  // At each station, seconds since the departure from the origin (0 at the
  // origin); a departure is the arrival plus the dwell at a stop. Infinite
  // at the stations the train does not reach.
  std::vector<double> arrivo_s;
  std::vector<double> partenza_s;
  std::vector<campione_corsa> campioni;  // at every multiple of 50 m from the origin to the destination
};

// The dwell the run gives a stop: its own, at least the train's minimum.
double sosta_di(const stazione_marcia& st, const treno& t);

// The fastest run over the track from the first station (at a stand) to the
// last, stopping at every stopping station between them for its dwell and
// at the last one when it is a stopping station.
corsa corsa_piu_veloce(const percorso_marcia& p, const treno& t);

}  // namespace sb
