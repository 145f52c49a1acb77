// check's findings on a timetable as diagnostics of the service text: at the
// name of the later station of a leg, with a note at the earlier one's.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "running_time/running_time.h"
#include "scenario/diagnostics.h"
#include "scenario/scenario_records.h"

namespace sb {

// The findings of a run (rilievi_orario) as diagnostics at the stations'
// names, where the compiled scenario read them: an impossible leg and a train
// that cannot go on are errors without a code, a thin margin a warning. Each
// holds in `posizione` where its leg ends (or the train stands); a finding
// there beyond `fino_a` metres is left out: the run is not trusted past it.
std::vector<diagnostica> diagnostiche_orario(const risultato_marcia& r, const scenario& s,
                                             int64_t fino_a = std::numeric_limits<int64_t>::max());

}  // namespace sb
