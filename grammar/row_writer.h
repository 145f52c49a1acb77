// Writing one row in the builder's layout, from its kind in the grammar:
// every writer of a description text (the decompile, the importers, the
// proposals) writes its rows through here, so that what it writes is read
// back as that kind and the formatter leaves it as it is.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/row_kinds.h"

namespace sb {

// A row to write: its kind, its values as they are to stand (a number, or
// empty for an empty field, as an indicator's missing d face), and the name
// or caption of a kind that ends with one. `chiave` replaces the kind's
// keyword where the spelling carries a value of its own ("ripetizione
// segnali 9 codici").
struct riga_scritta {
  const tipo_riga* tipo = nullptr;
  std::vector<std::string> valori;
  std::string testo;
  std::string chiave;
};

// The row as the builder writes it, without a line end: the keyword, each
// value after its comma in its column, the name or caption last.
std::string scrivi_riga(const riga_scritta& r);

// The same for a row of numbers only, or numbers and a name.
std::string scrivi_riga(const tipo_riga& k, std::initializer_list<int64_t> valori, std::string_view testo = {});

// A name or caption as a text field that reads back as the same bytes:
// between double quotes when it is empty, holds a comma or a line end, or
// begins or ends with a blank.
std::string campo_testo(std::string_view testo);

}  // namespace sb
