// Keyword recognition over code page 1252 fields, and the lower-casing that
// keywords and competition codes share.
#pragma once

#include <string>
#include <string_view>

#include "text_input/field_reader.h"

namespace sb {

// Lower case of one code page 1252 byte: A-Z and the accented capitals
// (C0-D6, D8-DE; 8A, 8C, 8E, 9F) map to their small letters.
unsigned char minuscola_cp1252(unsigned char c);

// The whole text in lower case, byte by byte.
std::string minuscolo_cp1252(std::string_view testo);

// Whether the field contains the word, letter for letter.
inline bool contiene(std::string_view campo, std::string_view parola) {
  return campo.find(parola) != std::string_view::npos;
}

// The next keyword field of a section: a field holding "-" is a comment and
// the next one takes its place, twice at most. False when the read reached
// the end: the last field of a text is never a keyword.
bool prossima_chiave(lettore_campi& lettore, std::string& campo);

// After a row that failed, for a read that goes on: passes over what is left
// of it, up to the first field that begins a line after `riga_chiave` (the
// failed row's keyword line) and is a word, not a number: the next row's
// keyword, a header or a remark, which the next read gives again. The
// failed field itself is given again when it is such a field.
void riprendi_alla_riga_seguente(lettore_campi& lettore, int32_t riga_chiave);

// Whether the field contains the word, without regard to case. The word is
// given in lower case.
bool contiene_nc(std::string_view campo, std::string_view parola);

}  // namespace sb
