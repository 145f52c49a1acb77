// What the driver's documents would tell about a compiled scenario, for the
// diagnostics of check, compile and view: the train sheet and the slowdown
// order composed in memory, nothing written.
#pragma once

#include <string>
#include <vector>

#include "compile/compile.h"
#include "scenario/scenario_records.h"

namespace sb {

// Why a compile gives no driver's documents ("a guard failed (1250)", "the
// compile recorded code 16", "no route length was read"); empty when it ran
// clean.
std::string perche_senza_documenti(const risultato_compile& r);

// The warnings of the train sheet and the slowdown order of the compile,
// each at the row and column of the author's field it is about (a text cut
// to its column, a sheet with no route); none when the compile gives no
// documents. The messages quote names in code page 1252, as every entry of
// the compile does.
std::vector<diagnostica> avvisi_documenti(const risultato_compile& r);

}  // namespace sb
