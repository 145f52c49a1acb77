// The three binary files of a compiled scenario replaced in a folder as one
// set, for the builder and the tool alike.
#pragma once

#include <string>

#include "platform/file_set.h"
#include "platform/files.h"
#include "scenario/scenario_records.h"

namespace sb {

// Replaces the binary files of a build that ran to its end in the folder as
// one set, named for the line and the train given: the line plan only when
// the build flag asks for it.
esito_file scrivi_binari(const scenario& s, const std::string& linea, const std::string& treno,
                         cartella_uscita& cartella);

}  // namespace sb
