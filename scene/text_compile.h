// An author's two description texts compiled in memory for a picture, with
// every diagnostic of the compile.
#pragma once

#include <iosfwd>
#include <vector>

#include "author/author_compile.h"
#include "compile/compile.h"
#include "scene/scene_model.h"

namespace sb {

// The compiled records less what rows that failed left in them, how the
// compile ended and every finding of the analysis, as check tells them.
struct testi_compilati {
  risultato_compile r;
  int stato = 0;                                // the exit status compile gives
  std::vector<testo_sorgente> testi;            // the texts as compiled (code page 1252)
  std::vector<diagnostica_scena> diagnostiche;  // every one, in order
};

// Compiles the texts named in o with the line plan built. A text that cannot
// be read is reported on err and the result is false. What compile writes
// on err for the compile, it writes too.
bool compila_per_vista(const opzioni_compile& o, testi_compilati& c, std::ostream& err);

// The scene of the compiled texts, with the rows of its items named and the
// compile's diagnostics, those that point along the route marked there; the
// run made with the train p (null: the default one).
scena scena_compilata(const testi_compilati& c, const profilo_treno* p = nullptr);

}  // namespace sb
