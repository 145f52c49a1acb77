// Kilometre posts on the route: the chainage references of the line (where
// the posts count up along the route) and a "Cippo Km." sign board at each.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "decompile/author_rows.h"
#include "osm_import/measured_route.h"
#include "osm_import/osm_data.h"

namespace sb {

// A post's chainage in metres from railway:position:exact or railway:position
// (kilometres, a decimal point).
std::optional<double> chainage_cippo(const punto_osm& p);

// The caption of a post's board: "(Cippo Km.)( 12+300  )".
std::string didascalia_cippo(double metri);

// The references, boards and what is told.
struct cippi_percorso {
  std::array<riga_progressiva, 3> progressive{};
  std::vector<riga_cartello> cartelli;
  std::vector<std::string> detto;  // UTF-8
};

// The posts of the route: a reference where the chainage's offset from the
// route metre changes by more than 50 m (three at most), when the posts count
// up along the route; a board at each post whose cell is free.
cippi_percorso cippi_del_percorso(const dati_osm& dati, const percorso_misurato& m, std::set<int64_t>& occupate);

}  // namespace sb
