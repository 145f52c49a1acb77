// The stations, halts and stops along the route as "stazione" rows: the
// first as the origin, the last as the destination, every other as a stop,
// with times a train keeps easily (timing --propose makes them tight).
#pragma once

#include <string>
#include <vector>

#include "decompile/author_rows.h"
#include "osm_import/measured_route.h"
#include "osm_import/osm_data.h"
#include "osm_import/places.h"

namespace sb {

// How near the track a station's node or stop position must be, metres.
inline constexpr double kDistanzaStazione = 200.0;

// The stations of the route and what the import tells of them.
struct stazioni_percorso {
  std::vector<riga_stazione> righe;
  std::vector<double> metri;       // each row's station in metres along the track
  std::vector<std::string> detto;  // UTF-8
  std::string errore;              // the route has no room for its stations
};

// A station found along the route, before its row: its name as tagged and
// its metre along the track.
struct stazione_vista {
  std::string nome;
  double metro = 0.0;
};

// The named stations, halts and stops within 200 m of the route, in route
// order: a stop position on the track counts before the station's node; the
// places named as the first and last stations stand at the route's ends.
std::vector<stazione_vista> stazioni_vicine(const dati_osm& dati, const percorso_misurato& m,
                                            const std::vector<luogo>& luoghi);

// The rows of the stations: positions in plan points rounded to 50 m, the
// extents kept 350 m apart (a stop too near the one before is left out and
// told), names in code page 1252 (transliterated and told where needed), and
// times from 08:00:00 at the origin.
stazioni_percorso righe_stazioni(const std::vector<stazione_vista>& viste, const percorso_misurato& m,
                                 const std::vector<int32_t>& velocita_celle);

// The clock of the run: half a minute before the origin's departure.
inline constexpr int32_t kPartenza = 8 * 3600;

}  // namespace sb
