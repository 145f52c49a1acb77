#include "scenario/braking.h"

#include <limits>

namespace sb {

double distanza_frenatura(double v_kmh, double w_kmh, double pendenza, double b) {
  if (w_kmh >= v_kmh) return 0;
  const double v = v_kmh / kKmhPerMs;
  const double w = w_kmh / kKmhPerMs;
  const double decelerazione = b + kGravita * pendenza / 1000.0;
  if (decelerazione <= 0) return std::numeric_limits<double>::infinity();
  return v * kTempoReazione + (v * v - w * w) / (2 * decelerazione);
}

}  // namespace sb
