// A remark for an author in the GNU form that editors understand:
// "FILE:LINE:COLUMN: warning: MESSAGE", then the line of the author's file
// and a caret under the field it is about.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sb {

// An author's text as read from its file, and as the compile reads it.
struct testo_autore {
  std::string percorso;  // as the author gave it; empty when none was given
  std::string originale; // the file's bytes
  std::string byte;      // code page 1252: converted from UTF-8, else the same bytes
};

// Line n (from 1) of a text, without its line end (CR LF, LF or a lone CR);
// empty beyond the last line.
std::string_view riga_di(std::string_view testo, int32_t n);

// Blanks as wide as the text before a column, the line's tabs kept: what
// stands before a caret. The text is the code page 1252 line, one byte a
// character.
std::string rientro_sotto(std::string_view prima);

// What stands under the field that begins at byte `inizio` of the code page
// 1252 line, as a compiler underlines a token: a caret, then a tilde for each
// further character of the field (up to the next comma or the line's end,
// trailing blanks left out).
std::string segno_campo(std::string_view riga, size_t inizio);

// The remark, ended by a line end. With a line: the file, the line, and the
// column where the field (as the compile read it) begins on that line, then
// the author's line and the caret; without a line, the file alone; without a
// file (a value from the command line), "scenario_tool".
std::string diagnostica_sorgente(const testo_autore& t, int32_t riga, std::string_view campo,
                                 std::string_view livello, std::string_view messaggio);

}  // namespace sb
