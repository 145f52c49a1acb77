// A compile for diagnostics: the compile as every build runs it and, when a
// code cut it short, a second compile that leaves each failed row behind and
// reads on to the end of both texts. The first gives the records, the codes
// and the files; the second only what it found besides.
#pragma once

#include <optional>
#include <vector>

#include "compile/compile.h"
#include "scenario/diagnostic_cap.h"

namespace sb {

// The build's compile and what reading on found.
struct compile_letto_oltre {
  risultato_compile r;                 // the compile as a build runs it: records, codes, files
  std::vector<diagnostica> ulteriori;  // found reading on, besides r's diagnostics, in the order found
  righe_lette lette;                   // rows taken whole reading on; r's own when nothing cut it short
  diagnostiche_omesse omesse;          // counted, not kept: reading on's, which saw every row r saw
  // Reading on's records, without the line plan: every row but those that
  // failed. None when nothing cut the read short (r's are the same).
  std::optional<risultato_compile> oltre;
};

// Compiles as a build does; when a code cut the read short, compiles again
// with modo_errori::riprendi and keeps what that found besides.
compile_letto_oltre compila_e_leggi_oltre(const richiesta_compile& richiesta);

// The diagnostics of a compile that read on, less those the build's compile
// told already and those that only repeat a limit told before (80
// stations and signs, 80 spans, 81 signs: told once). Each entry keeps the
// notes after it, and goes with them.
std::vector<diagnostica> diagnostiche_ulteriori(const std::vector<diagnostica>& normali,
                                                const std::vector<diagnostica>& lette_oltre);

}  // namespace sb
