// The line plan: the track's x, y position at every metre of the route,
// integrated point by point from the two points before, each point written
// in its file encoding as it is computed.
#pragma once

#include <cstdint>
#include <string_view>

#include "scenario/scenario_records.h"

namespace sb {

// Creates the plan of a route of the given length: points 0 to length + 7000,
// all empty, the cursor (`prossimo`) at point 2. Replaces any earlier plan.
void crea_griglia(griglia_codificata& griglia, int32_t lunghezza);

// Seeds points 0 and 1 as the 16-bit integers (0, 0) and (0, 1): the line
// starts at the origin heading along +y, one unit per metre.
void semina_griglia(griglia_codificata& griglia);

// Index of the last point of the plan (-1 when there is none).
int64_t ultimo_punto(const griglia_codificata& griglia);

// Computes the points from the cursor up to `ultimo` (never past the last
// point) on a straight, advancing the cursor past each. Needs the seeds; does
// nothing on a closed plan.
void estendi_dritto(griglia_codificata& griglia, int64_t ultimo);

// The same along a curve of curvature kappa (radians per metre; positive
// turns towards +x from +y).
void estendi_curva(griglia_codificata& griglia, int64_t ultimo, double kappa);

// Curvature of a curve keyword from the first of the digits 1 to 6 that it
// contains, negative when it holds an "s" in any case; 0 when it has no digit.
double curvatura(std::string_view parola_chiave);

}  // namespace sb
