// The route: the shortest way along the tracks from the first place through
// the ones between to the last, preferring running lines over sidings, yards
// and crossovers, and on double track the track of the direction of travel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "osm_import/osm_data.h"
#include "osm_import/places.h"

namespace sb {

// The route's points in the direction of travel, and the track each segment
// between two of them lies on.
struct percorso_osm {
  std::vector<coordinate> punti;
  std::vector<int64_t> nodi;      // the node at each point; 0 where the route starts or ends between nodes
  std::vector<int32_t> binario;   // per segment: its track, an index of dati_osm::binari
  std::vector<uint8_t> avanti;    // per segment: 1 when travelled in the order of the way's nodes
};

// Outcome of the search: empty errore when a route was found.
struct percorso_trovato {
  percorso_osm p;
  std::string errore;
};

// The farthest a place may lie from the nearest track, metres.
inline constexpr double kDistanzaMassimaBinario = 200.0;

// How much more a metre costs than on a running line (usage, no service),
// travelled as the track's preferred direction allows.
double costo_per_metro(const binario_osm& b, bool avanti);

// The route through the places (at least two), from the track point nearest
// the first to the one nearest the last. A place farther than 200 m from any
// track, or places with no path between them (the nearest gap between what
// each can reach is named), give errore.
percorso_trovato trova_percorso(const dati_osm& dati, const std::vector<luogo>& luoghi);

}  // namespace sb
