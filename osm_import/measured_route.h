// The route measured: its points, the track laid flat, the fitted plan, and
// the places of things along it in plan points (the texts' metres).
#pragma once

#include <cstdint>
#include <string>

#include "osm_import/plan_fit.h"
#include "osm_import/route.h"
#include "osm_import/track.h"

namespace sb {

// The route with its flat track and its plan.
struct percorso_misurato {
  percorso_osm p;
  tracciato t;
  piano_adattato piano;
};

// A place projected onto the route: metres along the track on the ellipsoid
// and its distance from the track.
struct sul_percorso {
  double metro = 0.0;
  double distanza = 0.0;
};

// The route point nearest to a place.
sul_percorso proietta_su_percorso(const percorso_misurato& m, const coordinate& q);

// The plan point (the texts' route metre) of a metre along the track: the
// plan's steps grow slightly inside curves, so the two part by a little.
int32_t punto_piano(const percorso_misurato& m, double metro);

// A position rounded to the nearest multiple of 50 (halves to even).
int32_t a_cella(double metri);

// "4 100 m": whole metres with a blank between thousands.
std::string metri_detti(double metri);

// "3.2 km": kilometres with one decimal.
std::string km_detti(double metri);

}  // namespace sb
