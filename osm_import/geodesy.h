// Distances and azimuths on the WGS84 ellipsoid, for the short segments of a
// track (metres and radians).
#pragma once

#include "osm_import/osm_data.h"

namespace sb {

// A geodesic between two places: its length and its azimuths at both ends
// (radians clockwise from north; the second is the direction of travel on
// arrival).
struct geodetica {
  double lunghezza = 0.0;
  double azimut_1 = 0.0;
  double azimut_2 = 0.0;
};

// The geodesic from a to b on the WGS84 ellipsoid, by Vincenty's iteration
// (well under a millimetre on a track's segments). Coincident places give
// length 0 and azimuths 0.
geodetica inversa(const coordinate& a, const coordinate& b);

// The point of the segment a-b nearest to q, in the plane around q (good to
// centimetres over a track's segments): its place from a (0) to b (1) and its
// distance from q in metres.
struct piede {
  double t = 0.0;
  double distanza = 0.0;
};
piede piede_su_segmento(const coordinate& q, const coordinate& a, const coordinate& b);

// An angle brought into (-pi, pi].
double angolo_ridotto(double a);

}  // namespace sb
