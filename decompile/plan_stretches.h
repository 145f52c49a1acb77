// The line plan read back as the author's curves: every computed point is
// matched against the straight step and the twelve curved steps that the
// line compiler takes, so the curves come back exactly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// One stretch of the plan between two metres: a straight, or a curve of one
// digit and direction.
struct tratto_piano {
  int64_t inizio = 0;    // metre where it starts
  int64_t fine = 0;      // metre where it ends
  int cifra = 0;         // 0 on a straight, 1 to 6 on a curve
  bool verso_s = false;  // a curve that turns the "s" way
};

// The plan as stretches, and how far the points follow the compiler's steps.
struct piano_letto {
  std::vector<tratto_piano> tratti;  // in order, from metre 0 to the last point computed
  bool seme_valido = false;          // points 0 and 1 are the integers (0, 0) and (0, 1)
  int64_t ultimo_calcolato = 1;      // the last point that follows from the two before it
  int64_t punto_estraneo = -1;       // the first point that follows no step; -1: none
};

// Reads the plan's points from point 2 on, as long as both coordinates are
// binary64 values that one of the compiler's steps gives exactly.
piano_letto leggi_piano(const griglia_linea& griglia);

// The curve keyword of a stretch: "curvad3", "curvas6".
std::string parola_curva(const tratto_piano& t);

// The radius of a curvature digit, in metres (10 000 for digit 1).
int32_t raggio_cifra(int cifra);

}  // namespace sb
