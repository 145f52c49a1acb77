// Large buffers backed by 2 MiB pages where the kernel offers them.
#pragma once

#include <cstddef>

namespace sb {

// Asks the kernel to back the memory [inizio, inizio + n) with 2 MiB pages
// wherever whole ones fit, before it is first touched: a buffer of tens of
// megabytes then costs a few page faults instead of thousands, and is
// freed as fast. Only a hint: nothing changes where it is refused.
void chiedi_pagine_grandi(void* inizio, size_t n);

}  // namespace sb
