// What "scenario_tool timing" prints: the legs as a table for a person, the
// legs and the run cell by cell as JSON, the run cell by cell as CSV.
#pragma once

#include <string>

#include "running_time/running_time.h"
#include "scenario/scenario_records.h"

namespace sb {

// The legs between timed stations, one a line: the stations, the distance,
// the scheduled and the fastest running time and the margin; then what
// stops the run, when something does. Names as UTF-8.
std::string timing_tabella(const risultato_marcia& r, const scenario& s);

// The train, the legs and the run at every 50 m cell as one JSON object.
std::string timing_json(const risultato_marcia& r, const scenario& s);

// The run at every 50 m cell: a header line, then one line a cell.
std::string timing_csv(const risultato_marcia& r);

}  // namespace sb
