// What the line text holds besides its curves: tunnels (montagna spans and
// remarks), bridges (remarks) and level crossings (sign boards), each in a
// cell of its own.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "decompile/author_rows.h"
#include "osm_import/measured_route.h"
#include "osm_import/osm_data.h"

namespace sb {

// The caption of a level crossing's sign board.
inline constexpr const char* kDidascaliaPassaggio = "(P.L.)";

// The line's items from the map, and what is told of them.
struct oggetti_linea {
  std::vector<riga_montagna> montagne;
  std::vector<riga_cartello> cartelli;
  std::vector<std::string> note;   // remarks for the text (UTF-8)
  std::vector<std::string> detto;  // UTF-8, for the person
};

// The cells the stations' stop points and approach marks take.
std::set<int64_t> celle_stazioni(const std::vector<riga_stazione>& stazioni);

// Tunnels, bridges and level crossings along the route. A sign whose cell is
// taken is left out and told; `occupate` gains the cells the signs take.
oggetti_linea oggetti_del_percorso(const dati_osm& dati, const percorso_misurato& m, std::set<int64_t>& occupate);

}  // namespace sb
