// One of the simulator's binary files told to a person, as text or as JSON:
// every field named, every item also as the row that wrote it.
#pragma once

#include <iosfwd>
#include <string>

#include "scenario/scenario_records.h"

namespace sb {

// The kind of binary file, told by its name's ending.
enum class tipo_binario { griglia, tabella, celle, sconosciuto };

// "_linea.dat" is a line plan, ".sim" an object table, any other ".dat" the
// route cells.
tipo_binario riconosci(const std::string& file);

// The object table's non-empty entries with their field names and meanings;
// a station also as its "stazione" row, entry 85 with its competition code
// explained.
std::string descrivi_tabella(const tabella_oggetti& tabella, bool json);

// The cells that hold an item or a mark, each item also as the row that
// recorded it, and the speed, gradient, adhesion and montagna profiles as
// runs of equal values. With the object table, stops and signs are named and
// cell 1's competition code is checked.
std::string descrivi_celle(const celle_percorso& celle, bool json, const tabella_oggetti* tabella = nullptr);

// The line plan's point count, kinds, extent and length, and its stretches:
// the straights and the curves as the line description writes them.
std::string descrivi_griglia(const griglia_linea& griglia, bool json);

// The object table beside a route cell file: NAME_TRAIN.sim for NAME_TRAIN.dat.
std::string tabella_accanto(const std::string& file_celle);

// The object table that names the cells' stops and signs: the one given
// (`data`), or the one beside the cells when it is there. False when there
// is none or it cannot be read (then err says why, for the one given).
bool leggi_tabella_accanto(const std::string& celle, const std::string& data, tabella_oggetti& t, std::ostream& err);

}  // namespace sb
