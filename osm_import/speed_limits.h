// The line's speed limits from the tracks' maxspeed tags, by the direction
// of travel, in km/h and the format's steps of 5, cell by cell.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decompile/author_rows.h"
#include "osm_import/measured_route.h"
#include "osm_import/osm_data.h"

namespace sb {

// The limit assumed where the map gives none, km/h.
inline constexpr int32_t kVelocitaPredefinita = 80;

// A maxspeed value in km/h: a bare number, or "NN mph" converted; nothing for
// what cannot be read ("none", "signals", several values).
std::optional<double> velocita_letta(std::string_view valore);

// The maxspeed tag of a track for a direction of travel: maxspeed:forward or
// :backward, else maxspeed.
std::string_view tag_velocita(const binario_osm& b, bool avanti);

// The limit of each 50 m cell of the route (the lowest of the tracks over the
// cell, rounded down to a multiple of 5); the stretches without a limit get
// the default, each told once with its stretch.
struct limiti_percorso {
  std::vector<int32_t> per_cella;
  std::vector<std::string> detto;  // UTF-8, for the person and the text's remarks
};
limiti_percorso limiti_del_percorso(const dati_osm& dati, const percorso_misurato& m);

// The "velocita" rows: one where the cells' limit changes.
std::vector<riga_profilo> righe_velocita(const std::vector<int32_t>& per_cella);

}  // namespace sb
