// The bytes of the three files that the simulator loads: line plan, object
// table and route cells, each a plain little-endian dump of its array.
#pragma once

#include <string>

#include "scenario/scenario_records.h"

namespace sb {

// The line plan: all x coordinates, then all y coordinates, as variants.
std::string codifica_griglia(const griglia_linea& griglia);

// Bytes one plan value takes in the file: its kind code and its data.
size_t byte_variante(const valore_variante& v);

// The 87 object records, each 34 bytes plus its name.
std::string codifica_tabella(const tabella_oggetti& tabella);

// The route cells, 15 bytes each.
std::string codifica_celle(const celle_percorso& celle);

// Size in bytes of one encoded cell and of an object record without its name.
inline constexpr size_t kByteCella = 15;
inline constexpr size_t kByteOggettoSenzaNome = 34;

}  // namespace sb
