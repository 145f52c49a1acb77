// The plan's curve rows chosen so that the compiled plan follows the flat
// track: the format bends only at six curvatures, so the plan steers along
// the track, holding each curvature as long as it stays close.
#pragma once

#include <cstdint>
#include <vector>

#include "osm_import/track.h"

namespace sb {

// A curve row: bends the plan points inizio + 1 to inizio + lunghezza.
struct curva_piano {
  int32_t inizio = 0;
  int32_t lunghezza = 0;
  int cifra = 1;           // 1 to 6
  bool sinistra = false;   // "curvas": turns towards -x from +y
};

// The plan's points as the compile makes them from curve rows.
struct piano_punti {
  std::vector<double> x;
  std::vector<double> y;
  std::vector<double> arco;  // the plan's length from point 0 to each point
};

// The plan of the curve rows, points 0 to ultimo, computed as the compile
// computes it (each point from the two before; steps grow inside curves).
piano_punti simula_piano(const std::vector<curva_piano>& curve, int64_t ultimo);

// The plan's length at each point of given points.
std::vector<double> archi(const std::vector<double>& x, const std::vector<double>& y);

// How far each plan point 0 to `ultimo` lies from the flat track, near the
// place its own length along the plan reaches.
std::vector<double> scarti(const tracciato& t, const piano_punti& p, int64_t ultimo);

// A stretch where the track is tighter than the plan can bend: from the
// vertex before its first tight vertex to the one after its last, in plan
// points, its least radius, and the first point after it from which the plan
// stays within the tolerance of the track again.
struct tratto_stretto {
  int32_t da = 0;
  int32_t a = 0;
  double raggio = 0.0;
  int32_t rientro = 0;
  double scarto = 0.0;  // the largest departure from da to rientro
};

// The tight stretches of the track for the plan's departures `s` (points 0
// onward) and the tolerance; `fuori` marks the points from da to rientro.
std::vector<tratto_stretto> tratti_stretti(const tracciato& t, const piano_punti& p, const std::vector<double>& s,
                                           double tolleranza, std::vector<bool>& fuori);

// The fitted plan: its rows, the route length in plan points (the point
// whose length along the plan reaches the track's end) and its points.
struct piano_adattato {
  std::vector<curva_piano> curve;
  int32_t lunghezza = 0;
  piano_punti punti;
};

// Chooses the curve rows for the flat track: of a few ways of steering,
// the one with the fewest rows that keeps within 1.5 m of the track outside
// the stretches tighter than the format bends (else the closest).
piano_adattato adatta_piano(const tracciato& t);

// The plan point whose length along the plan is nearest to m metres.
int32_t punto_di_metro(const piano_punti& p, double m);

}  // namespace sb
