// What a run goes over: the line's profiles along the route, the slowdowns
// and the stations with their timetable, in whole metres. Made from a
// compiled scenario (percorso_da_scenario) or written directly, as the tests
// of the model do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenario/format.h"
#include "scenario/scenario_records.h"

namespace sb {

// The route's cells (kMetriCella): the run's profiles change and its
// samples fall at multiples of their length.
inline constexpr int64_t kLunghezzaCella = kMetriCella;

// A value in force from a position (metres) up to the next one's.
struct gradino {
  int64_t da = 0;
  double valore = 0;

  bool operator==(const gradino&) const = default;
};

// A temporary slowdown: its speed from its start to its end; the train's
// whole length must be past the end before the train accelerates.
struct rallentamento_marcia {
  int64_t inizio = 0;
  int64_t fine = 0;
  double velocita_kmh = 0;

  bool operator==(const rallentamento_marcia&) const = default;
};

// A station of the run and its timetable in the train sheet's reading.
struct stazione_marcia {
  int voce = 0;           // its entry in the object table; 0 when none
  std::string nome;
  int64_t posizione = 0;  // where the train stops, or where it passes the station
  int64_t posizione_riga = 0;  // the station's own position, as its row gives it
  bool ferma = false;     // a stopping type: the train stands there
  int32_t sosta_s = 0;    // the dwell the timetable gives (opzione_3)
  bool con_orario = false;
  int32_t arrivo = 0;     // seconds since midnight
  int32_t partenza = 0;   // the same as arrivo where the train does not stop

  bool operator==(const stazione_marcia&) const = default;
};

// The run's track. The profiles hold steps in ascending position, the first
// at or before the first station; the stations are in route order, the
// first the origin, the last the destination.
struct percorso_marcia {
  std::vector<gradino> limite_kmh;  // the line's speed limit
  std::vector<gradino> pendenza;    // per mille, uphill positive
  std::vector<gradino> aderenza;    // per cent
  std::vector<rallentamento_marcia> rallentamenti;
  std::vector<stazione_marcia> stazioni;
};

// The track of a compiled scenario: the limit, gradient and adhesion of every
// 50 m cell, the slowdowns between their start and end cells, and the
// stations of the object table. A stopping station (type below 25) is stopped
// at its stop cell; its time is its departure and its arrival that time less
// its dwell (opzione_3); the origin's time is a departure and the
// destination's an arrival, as the train sheet prints them.
percorso_marcia percorso_da_scenario(const scenario& s);

}  // namespace sb
