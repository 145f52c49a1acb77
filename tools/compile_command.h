// "scenario_tool compile": an author's own line and service descriptions
// compiled by the builder's own driver into the simulator's binary files.
#pragma once

#include <iosfwd>

#include "author/author_compile.h"
#include "tools/command_line.h"

namespace sb {

// Compiles in memory, writes the binary files and, when asked, the driver's
// documents into the output directory, and returns the exit status. Every
// diagnostic goes to err, with the box; the last line written to out is
// "codice_errore=N posizione_errore=P" whenever the compile ran. With
// --werror a warning fails it and nothing is written.
int esegui_compile(const opzioni_compile& o, std::ostream& out, std::ostream& err);

// The command table's entry of "compile".
comando_strumento voce_compile();

}  // namespace sb
