// Authors' texts saved as UTF-8, turned into the code page 1252 bytes that
// the compilers read; and code page 1252 names shown to a person as UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// Whether the bytes are valid UTF-8 (no overlong forms, no surrogates, no
// code point above U+10FFFF).
bool utf8_valido(std::string_view byte);

// Whether any byte lies outside ASCII.
bool ha_non_ascii(std::string_view byte);

// A place in a text: 1-based line and column.
struct punto_testo {
  int32_t riga = 0;
  int32_t colonna = 0;

  bool operator==(const punto_testo&) const = default;
};

// Outcome of preparing an author's text for the compilers. Every character
// of a converted text becomes one byte, so a byte column of the result is
// the character column of the author's line.
struct testo_convertito {
  std::string byte;                  // code page 1252 bytes
  bool convertito = false;           // the input was UTF-8 and was converted
  std::vector<punto_testo> sostituiti;  // the first "?" of each line where one stands in, up to the cap
  size_t righe_sostituite = 0;          // the lines where one stands in, all of them
};

// How many lines with a "?" a converted text lists; the rest are counted (as
// many as the diagnostics of one kind a build keeps).
inline constexpr size_t kSostituitiConservati = 100;

// Why bytes cannot be a description text, and where (line 0: the whole text).
struct testo_rifiutato {
  punto_testo dove;
  std::string motivo;
};

// A text that is UTF-16 (by its byte order mark, or by NUL bytes between its
// letters) or holds NUL bytes anywhere is no description text: it would be
// compiled as noise. Nothing when the text can be read.
std::optional<testo_rifiutato> rifiuta_testo(std::string_view byte);

// Converts a text that is valid UTF-8 and holds non-ASCII characters to code
// page 1252; any other text is taken byte for byte. A character with no code
// page 1252 form becomes "?" and its line is listed. A leading byte order
// mark is dropped. Line ends are kept, so line numbers do not change.
testo_convertito prepara_testo(std::string_view byte);

// UTF-8 made safe to show on a terminal: a control character (C0 but tab,
// DEL) becomes its symbol (ESC shows as U+241B), a C1 control U+FFFD, so that
// no name or line of an author's text can move the cursor or recolour it.
std::string visibile(std::string_view utf8);

// Code page 1252 bytes as UTF-8: the one conversion of every name, message
// and text a person reads. The five bytes with no character in the code page
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD, so the result is always
// valid UTF-8.
std::string cp1252_in_utf8(std::string_view byte);

// Text that should be UTF-8 made sure to be: valid sequences kept, every
// byte that starts no valid sequence replaced by U+FFFD. What JSON and XML
// output is written through, whatever a file name held.
std::string utf8_riparato(std::string_view byte);

}  // namespace sb
