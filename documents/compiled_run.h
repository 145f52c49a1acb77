// What the driver's documents read from a compiled scenario: its stations,
// the speed limit and the chainage at a position of the line.
#pragma once

#include <cstdint>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// The entries of the object table that hold the run's stations, in route
// order: from entry 1 up to the last filled entry below the sign captions.
std::vector<int> voci_stazioni(const scenario& s);

// A slowdown found in the route cells.
struct rallentamento_in_celle {
  size_t inizio;      // cell of its start
  int16_t velocita;
  int64_t fine = -1;  // cell of its end; -1 when none was found (start and end share a cell)
};

// The slowdowns of the cells in route order, each end paired with the latest
// start of the same speed still open.
std::vector<rallentamento_in_celle> rallentamenti_nelle_celle(const scenario& s);

// The speed limit in km/h that the cells hold from a position on: the cell
// that a stretch beginning there starts at. 0 outside the cells.
int32_t velocita_a(const scenario& s, int64_t posizione);

// The chainage at a position, in metres: the line's kilometric progression
// from the chainage entries 81 to 83 (the first one whose start is at or
// before the position, counting on from its chainage); the position itself
// where none applies, and on a line whose chainage entries are all 0.
int64_t progressiva_a(const tabella_oggetti& tabella, int64_t posizione);

// From route metre `da` on (to the next stretch), the chainage is the
// position plus `scarto`; before the first stretch it is the position.
struct tratto_progressiva {
  int64_t da = 0;
  int64_t scarto = 0;

  bool operator==(const tratto_progressiva&) const = default;
};

// progressiva_a as stretches of the route, for those who draw the chainage
// along the line: where it jumps and by how much. None on a line whose
// chainage is the position everywhere.
std::vector<tratto_progressiva> tratti_progressiva(const tabella_oggetti& tabella);

}  // namespace sb
