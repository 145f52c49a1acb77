// Rows of a description text laid out in columns, as the builder's own texts
// are written: the keyword, then each value right-aligned in its width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace sb {

// The value right-aligned in a field of the given width (never cut).
std::string a_destra(int32_t valore, size_t larghezza);

// The keyword, then each value right-aligned in its width, comma-separated:
// riga_colonne("velocita", {{4500, 8}, {50, 6}}) is "velocita,    4500,    50".
std::string riga_colonne(std::string_view chiave, std::initializer_list<std::pair<int32_t, size_t>> valori);

}  // namespace sb
