// The directory that holds the running program.
#pragma once

#include <string>

namespace sb {

// Directory of the running executable, without a trailing separator; read
// from the executable itself, not from the current directory. Empty when the
// system cannot tell.
std::string cartella_programma();

}  // namespace sb
