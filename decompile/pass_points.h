// Which code-reduction points of the cells the signal aspect pass placed by
// itself, so that only the author's own points come back as rows.
#pragma once

#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// For each cell, whether the pass gives its point (kind 12, value 180) when
// it runs over the cells without it. Points of another value are always the
// author's. A point of value 180 may be either; the answer is the one for
// which the pass, run again over the cells with the author's points only,
// places exactly the pass's points (a point of the author's in the pass's
// way moves the pass's next ones). When no answer reproduces the cells, every
// such point is taken for the pass's.
std::vector<bool> punti_del_passaggio(const celle_percorso& celle);

}  // namespace sb
