// The timetable set against the train's fastest run, as findings of an
// author's texts: made whenever the route was read, over every row that did
// not fail, and told only up to the first error that stands on the route.
#pragma once

#include <vector>

#include "compile/read_on.h"
#include "running_time/train_profile.h"
#include "scenario/diagnostics.h"

namespace sb {

// The findings of the run over the compile's records (reading on's when a
// code cut the read short): an impossible leg, a thin margin, a stand. None
// when no route was read or a guard failed. `trovate` are the compile's
// findings so far: a leg that ends past the first error with a place on the
// route is not told, since the rows after it were not all read; a stand is
// told only of a compile without a code.
std::vector<diagnostica> rilievi_marcia(const compile_letto_oltre& c, const profilo_treno& p,
                                        const std::vector<diagnostica>& trovate);

}  // namespace sb
