// The rows of the description texts by keyword and position, so that an item
// of the compiled records can name the file and line it came from.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// One row of a text: its keyword ("segnale", "curva", "cartello_indicatore"),
// the position it names and where it stands.
struct riga_descrizione {
  int64_t posizione = 0;
  int file = 0;
  int32_t riga = 0;   // 1-based
  std::string testo;  // the whole line, UTF-8
};

// The rows of the texts, found line by line: a line after the one holding
// "[generale]" whose first field holds a keyword's words (and no "-") is a
// row, and its second field is the position. A row split over several lines
// is not found; its item then names no line.
class indice_righe {
 public:
  // Adds the rows of one text, code page 1252 bytes, as file number `file`.
  void aggiungi(int file, std::string_view byte);

  // The row of the keyword whose position lies nearest to `metri`, no
  // further than `tolleranza`; null when there is none.
  const riga_descrizione* trova(std::string_view parola, int64_t metri, int64_t tolleranza) const;

 private:
  std::map<std::string, std::vector<riga_descrizione>, std::less<>> righe_;  // by position
};

}  // namespace sb
