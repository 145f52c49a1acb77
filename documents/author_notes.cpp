#include "documents/author_notes.h"

#include <string>

#include "documents/line_list.h"

namespace sb {
namespace {

// The text's lines.
std::vector<std::string> righe_di(std::string_view testo) {
  std::vector<std::string> righe;
  size_t inizio = 0;
  while (inizio < testo.size()) {
    const size_t fine = testo.find_first_of("\r\n", inizio);
    if (fine == std::string_view::npos) {
      righe.emplace_back(testo.substr(inizio));
      break;
    }
    righe.emplace_back(testo.substr(inizio, fine - inizio));
    inizio = fine + (testo.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
  }
  return righe;
}

}  // namespace

documento_composto note_autore(std::string_view testo) {
  documento_composto d;
  d.righe = righe_di(testo);
  for (size_t i = 0; i < d.righe.size(); ++i) {
    if (d.righe[i] != kMarcatoreFine) continue;
    d.errore = "the line reads exactly \"" + std::string(kMarcatoreFine) +
               "\", which ends a document: nothing after it would be written";
    d.riga_errore = static_cast<int32_t>(i + 1);
    return d;
  }
  verifica_lunghezza(d, "notes");
  return d;
}

}  // namespace sb
