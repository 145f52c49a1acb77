// Arrangement of the three chainage references in entries 81 to 83.
#pragma once

#include "scenario/scenario_records.h"

namespace sb {

// Places the chainage references read from "tre", "due" and "uno" (entries
// 81, 82, 83) back into entries 81 to 83 in the order the simulator expects,
// and raises a second value by 100 where the third value is 1. Returns false,
// with the entries unchanged, when a sum overflows 32 bits.
bool progressive_ordina(tabella_oggetti& tabella);

}  // namespace sb
