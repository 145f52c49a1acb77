// Kilometre posts set against the chainage: a post whose caption names a
// kilometre the chainage puts elsewhere misleads the driver's train sheet,
// which prints the post among the chainages of the rows around it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// How far, in metres, a post's kilometre may lie from the chainage at its
// cell before it is told: a post stands where its cell does, up to two cells
// off the metre written.
inline constexpr int64_t kScartoCippo = 100;

// The first route position whose chainage is `chilometro` metres; none when
// the chainage passes over it.
std::optional<int64_t> posizione_del_chilometro(const tabella_oggetti& tabella, int64_t chilometro);

// A warning at the caption of every kilometre post whose kilometre is more
// than kScartoCippo from the chainage at its position, with both figures and
// the position where that kilometre lies.
std::vector<diagnostica> avvisi_cippi(const scenario& s);

}  // namespace sb
