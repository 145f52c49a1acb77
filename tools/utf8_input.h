// Authors' texts saved as UTF-8, turned into the code page 1252 bytes that
// the compilers read; and code page 1252 names shown to a person as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// Whether the bytes are valid UTF-8 (no overlong forms, no surrogates, no
// code point above U+10FFFF).
bool utf8_valido(std::string_view byte);

// Whether any byte lies outside ASCII.
bool ha_non_ascii(std::string_view byte);

// Outcome of preparing an author's text for the compilers.
struct testo_convertito {
  std::string byte;                  // code page 1252 bytes
  bool convertito = false;           // the input was UTF-8 and was converted
  std::vector<int32_t> righe_sostituite;  // 1-based lines where a "?" stands in
};

// Converts a text that is valid UTF-8 and holds non-ASCII characters to code
// page 1252; any other text is taken byte for byte. A character with no code
// page 1252 form becomes "?" and its line is listed. A leading byte order
// mark is dropped. Line ends are kept, so line numbers do not change.
testo_convertito prepara_testo(std::string_view byte);

// Code page 1252 bytes as UTF-8, for display; a byte with no character in the
// code page becomes U+FFFD.
std::string cp1252_in_utf8(std::string_view byte);

}  // namespace sb
