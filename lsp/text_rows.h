// A description text seen as its rows, as the reader sees them: each row's
// kind, where its keyword and each of its values stand, the section it is
// in. What hover, inlay hints and the outline are made from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/row_kinds.h"

namespace sb {

// Where a field stands: line and byte columns of the code page 1252 text,
// from 1; the end column is just past its last character, on its first line.
struct posto_campo {
  int32_t riga = 0;
  int32_t colonna = 0;
  int32_t colonna_fine = 0;
};

// One row read.
struct riga_testo {
  const tipo_riga* tipo = nullptr;
  posto_campo chiave;
  std::vector<posto_campo> posti;      // one per value read
  std::vector<int64_t> numeri;         // the values read (0 for the text value)
  std::string nome;                    // the text value (a name or caption), code page 1252
};

// A section heading.
struct intestazione_testo {
  std::string testo;  // as written, code page 1252
  posto_campo posto;
};

// The rows and headings of a text.
struct righe_documento {
  std::vector<riga_testo> righe;
  std::vector<intestazione_testo> intestazioni;
};

// Reads the rows of a code page 1252 text of the given kind. The preamble
// (up to "[generale]") gives none; a row whose value cannot be read ends
// with the values read before it.
righe_documento leggi_righe(genere_testo t, std::string_view byte);

// The row whose keyword or one of whose values stands at the place (line
// and byte column, from 1), and which value (-1: the keyword); null when
// there is none.
const riga_testo* riga_a(const righe_documento& r, int32_t riga, int32_t colonna, int& valore);

}  // namespace sb
