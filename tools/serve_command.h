// "scenario_tool serve": the page of an author's two texts, served on the
// loopback address and drawn again in the open browser at every save.
#pragma once

#include <string>

#include "author/author_compile.h"
#include "serve/live_server.h"
#include "tools/command_line.h"

namespace sb {

// The live page's files and analysis for the texts of c: the texts compiled
// as view compiles them, the run made with the train of --train-profile and
// --recovery-margin in r (read again at each save, and watched too).
sorgente_viva sorgente_testi(const opzioni_compile& c, const riga_comando& r);

// The command table's entry of "serve".
comando_strumento voce_serve();

}  // namespace sb
