// The route laid flat as the plan sees it: each segment's length on the
// ellipsoid, the turns between segments from the geodesic azimuths, and the
// polyline that follows from them, starting at the origin heading along +y.
#pragma once

#include <vector>

#include "osm_import/route.h"

namespace sb {

// The route laid flat: vertex i at metre s[i] from the start.
struct tracciato {
  std::vector<double> x;
  std::vector<double> y;
  std::vector<double> s;        // metres along the track on the ellipsoid
  std::vector<double> rotta;    // per segment: the heading from +y towards +x, radians
  double lunghezza() const { return s.empty() ? 0.0 : s.back(); }
};

// Lays the route flat: segment lengths and azimuths on WGS84, each turn the
// difference between the azimuth leaving a vertex and the one arriving at it,
// so that the only error is the ellipsoid's own curvature over the route.
tracciato sviluppa(const percorso_osm& p);

// A point of the flat track at a metre along it (clamped to its ends), with
// the heading of its segment.
struct punto_tracciato {
  double x = 0.0;
  double y = 0.0;
  double rotta = 0.0;
  size_t segmento = 0;
};

// The point at metre m; `da` is a segment at or before it, to walk from.
punto_tracciato punto_a(const tracciato& t, double m, size_t da = 0);

// Distance from (x, y) to the flat track between metres m0 and m1.
double distanza_tratto(const tracciato& t, double x, double y, double m0, double m1, size_t& da);

// The real radius at each vertex: the turn between the segments 25 m or more
// before and after it over the length between their middles (infinite on a
// straight), for telling where the track is tighter than the plan can bend.
std::vector<double> raggi_vertici(const tracciato& t);

}  // namespace sb
