// The one place where an import writes its rows: the two descriptions in the
// builder's layout, with the import's remarks as comment lines at their head.
#pragma once

#include <string>
#include <vector>

#include "decompile/author_rows.h"

namespace sb {

// The two texts of an import, code page 1252.
struct testi_importati {
  std::string linea;
  std::string servizio;
};

// Writes both texts: a heading that says where the data comes from (and its
// licence), the remarks (UTF-8, converted), then the rows.
testi_importati scrivi_testi(const descrizione_linea& linea, const descrizione_servizio& servizio,
                             const std::vector<std::string>& note_linea, const std::vector<std::string>& note_servizio);

}  // namespace sb
