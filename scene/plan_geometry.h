// What a picture needs from the line plan: its outline at a few levels of
// detail, so that a long line is drawn with as many points as the screen
// shows.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// A point of the outline: the route metre and the plan coordinates, turned
// so that the chord from the first to the last point runs along +x.
struct punto_contorno {
  int64_t metro = 0;
  double x = 0;
  double y = 0;
};

// The outline simplified so that no plan point lies further than tolleranza
// (plan units, metres) from it.
struct livello_contorno {
  double tolleranza = 0;
  std::vector<punto_contorno> punti;
};

// The outline at levels of detail, finest first, with its extent.
struct contorno_pianta {
  std::vector<livello_contorno> livelli;
  double x_min = 0, x_max = 0, y_min = 0, y_max = 0;
  size_t esclusi = 0;  // points left out: not finite, or beyond kMassimaCoordinata

  bool vuoto() const { return livelli.empty(); }
};

// The farthest a drawn point may lie from the first, in metres (10^13 m):
// its coordinates in centimetres stay integers below 2^53, exact in the page.
inline constexpr double kMassimaCoordinata = 1e13;

// The finest level's tolerance; every further level is eight times coarser.
inline constexpr double kTolleranzaFine = 0.05;

// The outline of the plan's points 0 to `ultimo` (or to the last point that
// holds a value, when that comes first). A point that is not finite or lies
// beyond kMassimaCoordinata is left out and counted in `esclusi`.
contorno_pianta contorno_griglia(const griglia_linea& g, int64_t ultimo);

// "FILE: warning: N points of the line plan ... are left out of the map" on
// err when the outline left any out.
void avvisa_esclusi(const contorno_pianta& c, const std::string& file, std::ostream& err);

}  // namespace sb
