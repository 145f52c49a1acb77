// The tagged nodes that stand on the route: where along it, and which way
// the route passes them relative to their ways.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "osm_import/measured_route.h"
#include "osm_import/osm_data.h"

namespace sb {

// A tagged node on the route (or within 20 m of it).
struct nodo_sul_percorso {
  const punto_osm* punto = nullptr;
  double metro = 0.0;      // along the track on the ellipsoid
  int32_t posizione = 0;   // the texts' route metre
  bool avanti = true;      // the route passes it in the order of its way's nodes
};

// The nodes whose railway tag is the given one that stand on the route, in
// route order.
std::vector<nodo_sul_percorso> nodi_sul_percorso(const dati_osm& dati, const percorso_misurato& m,
                                                 std::string_view ferrovia);

}  // namespace sb
