// The smaller of two values, as the signal aspect pass caps a point's value.
#pragma once

#include <cstdint>

namespace sb {

// y when x > y, otherwise x (x on equal values).
int32_t minimo(int32_t x, int32_t y);

}  // namespace sb
