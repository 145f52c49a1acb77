// "scenario_tool check": the whole compile of an author's texts in memory,
// every problem it finds told in one run, and no file written.
#pragma once

#include <iosfwd>
#include <string>

#include "author/author_texts.h"
#include "running_time/train_profile.h"
#include "tools/command_line.h"

namespace sb {

// Checks the texts and returns the exit status: 0 with no error and no
// warning, 1 with at least one of either, 4 when a text cannot be read.
// Whenever the route was read the scenario is run with the train: a leg the
// train cannot keep, or keeps with less than the recovery margin, is told at
// its row, up to the first error that stands on the route.
// Diagnostics go to err; out gets one line of what the scenario holds, then
// "codice_errore=N posizione_errore=P".
int esegui_check(const opzioni_compile& o, const profilo_treno& p, std::ostream& out, std::ostream& err);

// "30 stations, 47 signals, 1 slowdown, 69 curves, 22 gradients, route
// 93000 m": what a compiled scenario holds.
std::string riga_riepilogo(const scenario& s);

// The summary line of check. When a code cut the compile short: what the
// texts hold, read on past every error, and where the compile stops ("...,
// reading on past the errors; the compile stops at the first one,
// l.txt:20:12").
std::string riga_riepilogo_check(const compile_mostrato& c, const opzioni_compile& o);

// The command table's entry of "check".
comando_strumento voce_check();

}  // namespace sb
