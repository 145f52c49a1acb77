// A picture of the line for a person: the track drawn from the line plan
// with its stations, signals and signs, and under it the gradient and speed
// profiles against the kilometre.
#pragma once

#include <string>

#include "scenario/scenario_records.h"

namespace sb {

// The SVG document. The object table (stations, line length, names) and the
// cells (items, profiles) are optional: a null pointer leaves their parts out.
std::string disegna_pianta(const griglia_linea& griglia, const tabella_oggetti* tabella,
                           const celle_percorso* celle);

}  // namespace sb
