// The signal aspect pass: code-reduction points around the recorded slowdowns.
#pragma once

#include "scenario/scenario_records.h"

namespace sb {

// Adds code-reduction points (tipo 12, value 180) before signals near a
// slowdown's warning point, before each slowdown start, through slow
// slowdowns and before the first signal after them. Records 11, 12 and 13
// and never stops early. Needs the cell array.
void passaggio_segnali(scenario& s);

}  // namespace sb
