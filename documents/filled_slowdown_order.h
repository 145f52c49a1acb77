// The slowdown order of a compiled scenario, NAME_TRAIN_rallentamenti.txt:
// the builder's form with the service's slowdowns entered in its table.
#pragma once

#include <vector>

#include "documents/composed_document.h"
#include "documents/slowdown_form.h"
#include "scenario/scenario_records.h"

namespace sb {

// The slowdowns in route order, read from their start and end cells: where
// each begins (its cell's position), its speed, its length, and the station
// it lies in or the stations it lies between.
std::vector<voce_modulo> voci_rallentamenti(const scenario& s);

// The form naming the line and the train, with the slowdowns; its table is
// blank when the service has none.
documento_composto rallentamenti_compilati(const scenario& s);

}  // namespace sb
