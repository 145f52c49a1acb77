// The author's texts are never overwritten unless asked: export and
// decompile refuse to replace a description that is already in the folder.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/file_set.h"

namespace sb {

// Names on err each of `nomi` that already stands in the folder (a link
// included) as "DIR/NAME: File exists (--force replaces it)" and returns
// whether there was any.
bool testi_presenti(const cartella_uscita& cartella, const std::vector<std::string>& nomi, std::ostream& err);

}  // namespace sb
