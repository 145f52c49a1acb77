// The ticks of a kilometre axis in the line's own kilometres: at round
// chainages, which stand at route metres of their own wherever the line's
// chainage does not start at 0 or jumps.
#pragma once

#include <vector>

#include "documents/compiled_run.h"

namespace sb {

// One tick: the route metre it stands at and the chainage there.
struct tacca_progressiva {
  double metro = 0;
  double progressiva = 0;

  bool operator==(const tacca_progressiva&) const = default;
};

// A tick at every multiple of the step of the chainage inside the metres
// m0..m1 (both in), stretch by stretch (tratti_progressiva), in route order.
// The page's script has the same function (chainageTicks in scale.js).
std::vector<tacca_progressiva> tacche_progressiva(const std::vector<tratto_progressiva>& tratti, double m0,
                                                  double m1, double passo);

}  // namespace sb
