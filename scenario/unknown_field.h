// A field standing where a keyword goes that matches none: the reader passes
// it over, and the author is told why it was probably meant as something.
#pragma once

#include <span>
#include <string_view>

#include "scenario/scenario_records.h"
#include "text_input/field_reader.h"

namespace sb {

// The words a text knows: its keywords as written, and its section headers.
struct vocabolario {
  std::span<const std::string_view> parole;
  std::span<const std::string_view> intestazioni;
};

// Tells about a field that matched no keyword, when it starts its line (the
// values after an unknown keyword are not told again) and is not a remark:
// an unknown section header, a value with no keyword, or an unknown keyword
// with the known one nearest to it. The field is the reader's last.
void campo_sconosciuto(scenario& s, const lettore_campi& l, origine_errore origine, std::string_view campo,
                       const vocabolario& v);

// Whether a field is a section header: it holds "[" and then "]".
bool intestazione(std::string_view campo);

// The field in lower case without blanks around it, as it is compared with
// the known words.
std::string forma_confrontabile(std::string_view campo);

}  // namespace sb
