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

// Code 15's words for a row at p that needs `margine` metres of cells past
// it: "position 20000 m is beyond the route's cells: the route ends at
// 12000 m, its cells run on to 19000 m, and a row needs 100 m of them past
// its position, so it may stand up to 18900 m".
std::string oltre_le_celle(const scenario& s, int64_t p, int32_t margine);

// Warns about an item at p that lies past the route's end but inside the
// cells: the run ends before the train reaches it. `cosa` names the item
// ("signal", "station 'Cortemara'").
void avviso_oltre_fine(scenario& s, const luogo_testo& dove, int64_t p, const std::string& cosa);

// Warns about an item at a negative position p: "gradient row at -500 m lies
// before the route's start at 0 m: " and then `effetto`, what the compile
// does with it and how to mend it. Nothing for p >= 0.
void avviso_prima_dell_inizio(scenario& s, const luogo_testo& dove, int64_t p, const std::string& cosa,
                              const std::string& effetto);

// Code 15's words for an item at a negative position whose cell the route
// does not have: "sign board at -200 m lies before the route's start at 0 m:
// its cell would be -3; write a position of 0 or more".
std::string prima_delle_celle(int64_t p, int64_t cella, const std::string& cosa);

// What a profile row (gradient, speed, adhesion) at a negative position does:
// it writes no cell and its value takes over where the row before it began
// (at 0 m for the first row). `valore` names the value ("gradient 5").
std::string effetto_profilo_prima(bool prima_riga, int64_t posizione_precedente, const std::string& valore);

}  // namespace sb
