// "scenario_tool timing": the fastest run of an author's train against the
// timetable, leg by leg, and the run cell by cell.
#pragma once

#include <iosfwd>

#include "author/author_compile.h"
#include "tools/command_line.h"
#include "tools/train_profile_option.h"

namespace sb {

// How timing shows its results.
enum class formato_timing { tabella, json, csv };

// Compiles the texts in memory as check does (their diagnostics on err) and
// prints the running times on out. Returns 0, 1 when the compile recorded a
// code or read no route (no run is made), 4 when a text cannot be read.
int esegui_timing(const opzioni_compile& o, const profilo_scelto& p, formato_timing f, std::ostream& out,
                  std::ostream& err);

// The command table's entry of "timing".
comando_strumento voce_timing();

}  // namespace sb
