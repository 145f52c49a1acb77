// The places an import starts from, passes and ends at: a station's name, a
// node ("n123") or "lat,lon", resolved on the file's railway.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "osm_import/osm_data.h"

namespace sb {

// A place resolved: where it is (a named station may stand at several nodes:
// the station, its stop positions) and how a person calls it.
struct luogo {
  std::vector<coordinate> punti;
  std::string nome;  // UTF-8: the station's name, "n123" or "47.1,9.5"
  bool stazione = false;  // named after a station of the file
};

// Outcome of resolving a place: empty errore when resolved.
struct luogo_trovato {
  luogo l;
  std::string errore;
};

// Whether a node is a station, halt or stop of the railway with a name.
bool stazione_con_nome(const punto_osm& p);

// Resolves a place as the person wrote it. A name is matched without regard
// to case and accents: a name equal to it wins, else the names that contain
// it; none gives the nearest name to suggest, several a list of them.
luogo_trovato trova_luogo(const dati_osm& dati, std::string_view testo);

}  // namespace sb
