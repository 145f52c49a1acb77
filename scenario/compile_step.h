// How one step of reading a description text ended, for both compilers.
#pragma once

namespace sb {

// The outcome of a row or a section; the caller decides what comes next.
enum class [[nodiscard]] passo {
  prosegui,         // the step is done; the read goes on
  fine_percorso,    // code 15: the read ends and the end of the phase runs
  fermata,          // a code that stops the compile where it stands
  lettura_fallita,  // code 25: the compile is abandoned
};

}  // namespace sb
