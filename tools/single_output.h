// The one file of a command that writes one (the plan's picture, the page):
// "-" stands for standard output.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "platform/writer.h"

namespace sb {

// Writes the bytes through the one writer: to standard output when the path
// is "-", else replacing the file under the lock of its folder (created when
// missing). Returns the exit status: 0, 4 with the path and reason on err,
// or 130/143 after a signal.
int scrivi_uscita(const std::string& file, std::string_view byte, attesa_blocco attesa, std::ostream& out,
                  std::ostream& err);

}  // namespace sb
