// The guards, the markers and the competition codes stamped before writing.
#pragma once

#include <cstdint>
#include <string>

#include "scenario/scenario_records.h"

namespace sb {

// The code text: the train number, then the line name, lower-cased, then the
// filler, cut to its 25 characters.
std::string testo_codice_gara(const tabella_oggetti& tabella);

// The code sum of the first 25 characters of the code text.
int16_t codice_gara_og(const tabella_oggetti& tabella);

// The position-weighted code sum of the first 25 characters of the code text.
int32_t codice_gara_st(const tabella_oggetti& tabella);

// Guards and stamps in their order: 1250 guard, markers 610 and 5121, 1251
// guard, the two codes. Returns 0, or the number of the guard that failed
// (the records are then left as the failing guard found them). Needs the
// cell array.
int32_t timbra(scenario& s);

}  // namespace sb
