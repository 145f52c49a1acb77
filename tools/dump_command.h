// "scenario_tool dump": one of the simulator's binary files shown to a
// person, as text or as JSON.
#pragma once

#include <iosfwd>
#include <string>

#include "scenario/scenario_records.h"

namespace sb {

// The kind of binary file, told by its name's ending.
enum class tipo_binario { griglia, tabella, celle, sconosciuto };

// "_linea.dat" is a line plan, ".sim" an object table, any other ".dat" the
// route cells.
tipo_binario riconosci(const std::string& percorso);

// The object table's non-empty entries with their field names and meanings.
std::string descrivi_tabella(const tabella_oggetti& tabella, bool json);

// The cells that hold an item or a mark, and the speed, gradient, adhesion
// and montagna profiles as runs of equal values.
std::string descrivi_celle(const celle_percorso& celle, bool json);

// The line plan's point count, kinds, extent and length.
std::string descrivi_griglia(const griglia_linea& griglia, bool json);

// Reads and prints the file; returns the exit status (4 when the file cannot
// be read or is cut short or malformed, with the byte offset on err).
int esegui_dump(const std::string& percorso, bool json, std::ostream& out, std::ostream& err);

}  // namespace sb
