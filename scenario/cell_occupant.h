// What holds a cell, in words an author can act on, and the note that points
// at the row that put it there.
#pragma once

#include <cstdint>
#include <string>

#include "scenario/scenario_records.h"

namespace sb {

// "cell 58 (2850 m)": a cell and the metre of the item it stands for.
std::string cella_e_metro(int64_t i);

// What holds cell i: "a signal", "the stop point of station 2 'Lago
// Serino'", "the sign board '(Km 3)'"...; "nothing" for a free cell.
std::string occupante_cella(const scenario& s, int64_t i);

// After a diagnostic about cell i: a note at the row that put its item there
// ("the signal was put there by this row"), when that row is known.
void nota_su_occupante(scenario& s, int64_t i);

// The same for the approach mark that cell i holds.
void nota_su_preavviso(scenario& s, int64_t i);

}  // namespace sb
