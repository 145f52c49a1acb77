// How one step of reading a description text ended, for both compilers.
#pragma once

#include <cstdint>

namespace sb {

// How a compile meets a code recorded in a row.
enum class modo_errori : uint8_t {
  ferma,     // the first code cuts the compile short, as the builder does
  riprendi,  // for diagnostics only: the code is recorded and the read goes on at the next row
};

// The outcome of a row or a section; the caller decides what comes next.
enum class [[nodiscard]] passo {
  prosegui,         // the step is done; the read goes on
  fine_percorso,    // code 15: the read ends and the end of the phase runs
  fermata,          // a code that stops the compile where it stands
  lettura_fallita,  // code 25: the compile is abandoned
};

}  // namespace sb
