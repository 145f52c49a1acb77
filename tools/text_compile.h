// An author's two description texts compiled by the builder's own driver,
// the records kept in memory for a picture, with the diagnostics of the
// compile.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "app/compile_driver.h"
#include "scenario/scenario_records.h"
#include "tools/compile_command.h"
#include "tools/scene_model.h"

namespace sb {

// The compiled records, how the compile ended and what it recorded.
struct testi_compilati {
  scenario s;
  esito_build esito;
  int stato = 0;                                // the exit status compile would give
  std::vector<testo_sorgente> testi;            // the texts as compiled (code page 1252)
  std::vector<diagnostica_scena> diagnostiche;  // as compile prints them
};

// Compiles the texts named in o (the line plan always built). A text that
// cannot be read is reported on err and the result is false; compile faults
// are diagnostics, also written to err.
bool compila_testi(const opzioni_compile& o, testi_compilati& c, std::ostream& err);

}  // namespace sb
