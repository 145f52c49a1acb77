// Conversions from binary64 to an integer that are defined for every value:
// a cast of NaN, an infinity or a value beyond the integer's range is
// undefined behaviour, so every such conversion goes through here.
#pragma once

#include <cmath>
#include <cstdint>

namespace sb {

// The largest magnitude an integer converted here may have: 2^53, below
// which every integer is a binary64 (and a number a web page reads exactly).
inline constexpr int64_t kMassimoInteroEsatto = int64_t{1} << 53;

// x rounded to the nearest integer (halves away from zero), clamped into
// [minimo, massimo], which lie within +-2^53; NaN gives the bound nearer to
// zero.
inline int64_t intero_limitato(double x, int64_t minimo, int64_t massimo) {
  if (std::isnan(x)) return minimo > 0 ? minimo : massimo < 0 ? massimo : 0;
  if (x <= static_cast<double>(minimo)) return minimo;
  if (x >= static_cast<double>(massimo)) return massimo;
  return static_cast<int64_t>(std::round(x));
}

// Whether x is finite and within +-limite.
inline bool entro(double x, double limite) { return std::isfinite(x) && std::fabs(x) <= limite; }

}  // namespace sb
