// Gradients from a file of heights along the route: a CSV of route metre
// and height or of latitude, longitude and height, or a GPX track with <ele>.
// Each 50 m cell gets the mean gradient over it, in whole per mille, the
// rounding carried on so that the heights never drift; without a file the
// line is level.
#pragma once

#include <string>
#include <vector>

#include "decompile/author_rows.h"
#include "osm_import/import_osm.h"
#include "osm_import/measured_route.h"

namespace sb {

// One height along the route: at a texts' metre, or at a place.
struct quota {
  double metro = -1.0;  // the texts' route metre; -1 when the place is given
  coordinate dove;
  double altezza = 0.0;
};

// The heights read from a file, or why they cannot be.
struct quote_lette {
  std::vector<quota> quote;
  std::string errore;  // "PATH:LINE: REASON" or "PATH: REASON"
  bool file_illeggibile = false;
};

// Reads a CSV (metre,height or lat,lon,height; a first line of names is
// passed over) or, when the file begins with "<", a GPX track.
quote_lette leggi_quote(const std::string& file);

// The gradient of each cell from heights at the texts' metres (sorted, at
// least two): the mean over the cell, whole per mille, the rounding carried.
std::vector<int32_t> pendenze_celle(const std::vector<std::pair<double, double>>& metri_altezze, int32_t celle);

// The gradient rows of the route, and what is told of them.
struct pendenze_percorso {
  fine_import fine = fine_import::fatto;
  std::string errore;
  std::vector<riga_pendenza> righe;
  std::vector<std::string> detto;
};

// The gradients of the route from the file (empty name: level, and told).
pendenze_percorso pendenze_del_percorso(const std::string& file, const percorso_misurato& m);

}  // namespace sb
