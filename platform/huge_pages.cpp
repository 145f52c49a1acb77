#include "platform/huge_pages.h"

#include <cstdint>
#include <sys/mman.h>

namespace sb {

void chiedi_pagine_grandi(void* inizio, size_t n) {
  constexpr uintptr_t kPagina = uintptr_t{2} << 20;
  const uintptr_t da = (reinterpret_cast<uintptr_t>(inizio) + kPagina - 1) & ~(kPagina - 1);
  const uintptr_t a = (reinterpret_cast<uintptr_t>(inizio) + n) & ~(kPagina - 1);
  if (a <= da) return;
  ::madvise(reinterpret_cast<void*>(da), a - da, MADV_HUGEPAGE);
}

}  // namespace sb
