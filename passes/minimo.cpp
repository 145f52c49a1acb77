#include "passes/minimo.h"

namespace sb {

int32_t minimo(int32_t x, int32_t y) {
  if (x > y) return y;
  return x;
}

}  // namespace sb
