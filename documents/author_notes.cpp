#include "documents/author_notes.h"

#include <string>

#include "documents/line_list.h"
#include "text_input/text_lines.h"

namespace sb {
namespace {

// The text's lines; a line end that ends the text opens no further line.
std::vector<std::string> righe_di(std::string_view testo) {
  std::vector<std::string> righe;
  righe_testo righe_del_testo(testo);
  std::string_view riga;
  while (righe_del_testo.prossima(riga)) {
    if (righe_del_testo.ultima() && riga.empty()) break;
    righe.emplace_back(riga);
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
