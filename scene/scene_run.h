// The fastest run of the scenario's train, with the default profile, as the
// scene draws it.
#pragma once

#include "scenario/scenario_records.h"
#include "scene/scene_model.h"

namespace sb {

// The run at every cell and the timed stations' times, scheduled and
// fastest; empty when there is no run.
marcia_scena marcia_di(const tabella_oggetti& tabella, const celle_percorso& celle);

}  // namespace sb
