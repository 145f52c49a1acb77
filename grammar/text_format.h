// The formatter: an author's description text lined up in the builder's
// layout, row by row and section by section, without changing what the
// compiler reads from it.
//
// Only blanks move: those at the start and end of a row's line, those next
// to its commas and the length of a run of blanks between two values. Every
// keyword, value, name, caption and comma stays as written, in its order, on
// its line; the preamble, the heading lines, the remarks, empty lines and the
// line ends are kept byte for byte, and so is every line that is not one
// whole row (a row split over lines, a row short of a value or with one too
// many, a value that is no number). A line that may open a double-quoted
// field running past its end stops the formatting: it and everything after
// it stay as written. So the compiled files never change, the encoding stays
// what it was (UTF-8 or code page 1252) and formatting twice gives what
// formatting once gave.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "grammar/row_kinds.h"
#include "text_input/utf8_input.h"

namespace sb {

// What formatting one text gave.
struct esito_formato {
  std::string testo;                         // the text in the builder's layout
  bool cambiato = false;                     // it differs from the text given
  std::optional<testo_rifiutato> rifiutato;  // UTF-16 or NUL bytes: not formatted, testo as given
};

// Lines the rows of one description text up in the builder's layout: each
// row in its kind's columns (row_kinds.h), the right-aligned columns of a
// section widened to its widest value so that they stay aligned.
esito_formato formatta_testo(std::string_view byte, genere_testo g);

// Which description a file holds: told by its name as compile tells them
// ("NAME_linea.txt" the line, "NAME_TRAIN-.txt" the service), else by the
// first row after "[generale]" whose keyword only one of the two has; the
// service when nothing tells.
genere_testo genere_del_file(std::string_view file, std::string_view byte);

}  // namespace sb
