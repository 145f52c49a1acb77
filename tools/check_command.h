// "scenario_tool check": the whole compile of an author's texts in memory,
// every problem it finds told in one run, and no file written.
#pragma once

#include <iosfwd>
#include <string>

#include "author/author_texts.h"
#include "tools/command_line.h"

namespace sb {

// Checks the texts and returns the exit status: 0 with no error and no
// warning, 1 with at least one of either, 4 when a text cannot be read.
// Diagnostics go to err; out gets one line of what the scenario holds, then
// "codice_errore=N posizione_errore=P".
int esegui_check(const opzioni_compile& o, std::ostream& out, std::ostream& err);

// "30 stations, 47 signals, 1 slowdown, 69 curves, 22 gradients, route
// 93000 m": what a compiled scenario holds.
std::string riga_riepilogo(const scenario& s);

// The command table's entry of "check".
comando_strumento voce_check();

}  // namespace sb
