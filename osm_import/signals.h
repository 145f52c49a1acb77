// Signals on the route as "segnale" rows, where their tags say what they
// are: a main (or combined) signal is written as the built-in line's block
// signal, a distant signal alone as its distant signal; every other signal,
// and one for the other direction, is listed.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "decompile/author_rows.h"
#include "osm_import/measured_route.h"
#include "osm_import/osm_data.h"

namespace sb {

// The signals written and what is told of the others.
struct segnali_percorso {
  std::vector<riga_segnale> righe;
  std::vector<std::string> detto;  // UTF-8
};

// The signals of the route. A signal needs 325 m of route before it, a cell
// of its own (`occupate` gains it) and no station's extent around it; one
// that has not is listed with the reason.
segnali_percorso segnali_del_percorso(const dati_osm& dati, const percorso_misurato& m,
                                      const std::vector<riga_stazione>& stazioni, std::set<int64_t>& occupate);

}  // namespace sb
