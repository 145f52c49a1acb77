// The two description texts written from their rows in the layout of the
// builder's own texts: the sections in order, each row written by the
// grammar's scrivi_riga, code page 1252 with CR LF line ends. A row's note goes on a comment line
// (a field that holds "-") just above it.
#pragma once

#include <string>
#include <vector>

#include "decompile/author_rows.h"

namespace sb {

// The line description NAME_linea.txt; the preamble lines come first.
std::string testo_linea(const descrizione_linea& d, const std::vector<std::string>& preambolo);

// The service description NAME_TRAIN-.txt; the preamble lines come first.
std::string testo_servizio(const descrizione_servizio& d, const std::vector<std::string>& preambolo);

// A comment line for a note: "- " and the note, its commas turned into
// semicolons so that it stays one field.
std::string riga_nota(const std::string& nota);

}  // namespace sb
