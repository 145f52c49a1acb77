// The train a run is made with, as check and timing take it from their
// command lines: --train-profile FILE and --recovery-margin PCT.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "report/author_text.h"
#include "running_time/train_profile.h"
#include "tools/command_line.h"

namespace sb {

// The profile a command runs with, and its text when one was given (for
// the printer to show the profile's rows).
struct profilo_scelto {
  profilo_treno profilo;
  std::optional<testo_autore> testo;
};

// The two options, for a command's entry in the table.
std::vector<opzione_ammessa> opzioni_profilo();

// Reads --train-profile, its diagnostics shown on err at the profile file's
// rows, and sets the recovery margin from --recovery-margin (a number from 0
// to 100, a decimal point allowed). Nothing when the command cannot go on:
// stato is then a usage error, a file that cannot be read, or a profile
// with an error (which is not used).
std::optional<profilo_scelto> profilo_richiesto(const riga_comando& r, const std::string& comando, bool colore,
                                                std::ostream& err, int& stato);

}  // namespace sb
