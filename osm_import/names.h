// Names from the map: UTF-8 code points read one by one, names folded for
// matching (lower case, no accents) and turned into the texts' code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

// One code point of UTF-8 at i, advancing i; U+FFFD for a broken sequence.
char32_t leggi_codice(std::string_view utf8, size_t& i);

// Appends a code point as UTF-8.
void scrivi_codice(std::string& utf8, char32_t codice);

// A name folded for matching: lower case, accents taken off (a letter of
// U+00C0 to U+017F becomes its plain letters, "\u00DF" "ss"); other code
// points are kept.
std::string piegato(std::string_view utf8);

// A name in the texts' code page.
struct nome_cp1252 {
  std::string byte;           // code page 1252
  bool traslitterato = false;  // a character had no code page form and was replaced
};

// Converts a UTF-8 name to code page 1252; a character the code page cannot
// hold becomes its plain letters (keeping a capital), or "?" when it has none.
nome_cp1252 in_cp1252(std::string_view utf8);

}  // namespace sb
