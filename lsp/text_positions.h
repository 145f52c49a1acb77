// Places in a text as the protocol counts them (line from 0, UTF-16 code
// units within the line) and as the compile counts them (line from 1, one
// byte of code page 1252 per character).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// A place as the protocol gives it.
struct posizione_lsp {
  int32_t riga = 0;       // from 0
  int32_t carattere = 0;  // UTF-16 code units from the line's start

  bool operator==(const posizione_lsp&) const = default;
};

// A UTF-8 text and where each of its lines begins; a line ends with CR LF,
// a lone LF or a lone CR.
class righe_utf8 {
 public:
  explicit righe_utf8(std::string_view testo);

  // Line n (from 0) without its line end; empty beyond the last.
  std::string_view riga(int32_t n) const;

  // How many lines the text has (at least one).
  int32_t quante() const { return static_cast<int32_t>(inizi_.size()); }

  // The byte offset of a protocol place, clamped to its line and the text.
  size_t offset(posizione_lsp p) const;

  // The protocol place of the character at a 1-based character column of
  // line n (from 1), as the compile counts them; clamped to the line's end.
  posizione_lsp da_colonna(int32_t riga, int32_t colonna) const;

  // The 1-based character column of a protocol place.
  int32_t colonna_di(posizione_lsp p) const;

 private:
  std::string_view testo_;
  std::vector<size_t> inizi_;
};

// UTF-16 code units of the first `caratteri` characters of a UTF-8 line; a
// byte that is no UTF-8 counts as one character.
int32_t unita_utf16(std::string_view riga, int32_t caratteri);

}  // namespace sb
