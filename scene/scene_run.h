// The fastest run of the scenario's train, as the scene draws it.
#pragma once

#include "running_time/train_profile.h"
#include "scenario/scenario_records.h"
#include "scene/scene_model.h"

namespace sb {

// The run of the train p at every cell and the timed stations' times,
// scheduled and fastest; empty when there is no run.
marcia_scena marcia_di(const tabella_oggetti& tabella, const celle_percorso& celle, const profilo_treno& p);

}  // namespace sb
