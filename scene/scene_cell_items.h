// The items the route cells hold, read back into the values of the rows that
// placed them: signals, sign boards, maximum-speed indicators, slowdowns,
// code-reduction points and montagna spans.
#pragma once

#include <vector>

#include "scenario/scenario_records.h"
#include "scene/scene_model.h"

namespace sb {

// Appends the cells' items in route order. The table, when given, holds the
// sign boards' captions.
void elementi_celle(const celle_percorso& celle, const tabella_oggetti* tabella,
                    std::vector<elemento_scena>& out);

// A sign board's caption as one line: the bracketed groups, one per line of
// the board, joined by a blank ("(Cippo Km.)( 20+000 )" gives
// "Cippo Km. 20+000"); a caption without brackets as it stands.
std::string didascalia_in_riga(const std::string& utf8);

}  // namespace sb
