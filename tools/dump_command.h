// "scenario_tool dump": one of the simulator's binary files shown to a
// person, as text or as JSON.
#pragma once

#include <iosfwd>
#include <string>

#include "tools/command_line.h"

namespace sb {

// Reads and prints the file; returns the exit status (4 when the file cannot
// be read or is cut short or malformed, with the byte offset on err). For the
// route cells the object table is read from tabella, or when that is empty
// from beside them if it is there.
int esegui_dump(const std::string& file, bool json, std::ostream& out, std::ostream& err,
                const std::string& tabella = "");

// The command table's entry of "dump".
comando_strumento voce_dump();

}  // namespace sb
