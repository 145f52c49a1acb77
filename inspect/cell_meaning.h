// What a cell's item kind and an object entry's place mean, in words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scenario/scenario_records.h"

namespace sb {

// The item a cell's tipo stands for; empty for 0 and unknown kinds.
std::string_view significato_tipo_cella(uint8_t tipo);

// The role of an object entry: "station", "sign caption", "chainage
// reference", "general", "line", "train", or "unused".
std::string_view ruolo_oggetto(int indice, const oggetto& o);

// Whether an entry holds nothing: every field zero, name empty.
bool oggetto_vuoto(const oggetto& o);

// Whether an entry 1 to 80 holds a station (anything besides a name).
bool e_stazione(int indice, const oggetto& o);

// Seconds since midnight as hh:mm:ss.
std::string orario_hms(int32_t secondi);

}  // namespace sb
