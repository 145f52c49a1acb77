// The constants of the simulator's binary files and of the records they are
// written from: one place for every number that the compile, the decompile,
// the documents and the tool must agree on. docs/binary_files.md defines
// each.
#pragma once

#include <cstdint>

namespace sb {

// A station of this type or above is passed without stopping (transit);
// below it the train stops (docs/binary_files.md, "Object table").
inline constexpr int32_t kTipoTransito = 25;

}  // namespace sb
