#include "osm_import/import_texts.h"

#include "decompile/text_layout.h"
#include "osm_import/names.h"

namespace sb {
namespace {

// Ends the first heading line: a code page 1252 letter that is no UTF-8, so
// that no tool takes the text for UTF-8 and converts its names.
constexpr const char* kSegnoCodePage = " Code page 1252 text (\xE8).";

// A remark as a comment line: in the code page, and with no bracket that
// could be taken for a section heading.
std::string riga_osservazione(const std::string& utf8) {
  std::string b = in_cp1252(utf8).byte;
  for (char& c : b) {
    if (c == '[') c = '(';
    if (c == ']') c = ')';
  }
  return riga_nota(b);
}

// The heading of a text: its source, its licence and the remarks.
std::vector<std::string> intestazione(const std::string& cosa, const std::vector<std::string>& note) {
  std::vector<std::string> p = {cosa + " imported from OpenStreetMap by scenario_tool import osm." + kSegnoCodePage,
                                "Map data \xA9 OpenStreetMap contributors; available under the Open Database Licence 1.0."};
  for (const std::string& n : note) p.push_back(riga_osservazione(n));
  p.push_back("");
  return p;
}

}  // namespace

testi_importati scrivi_testi(const descrizione_linea& linea, const descrizione_servizio& servizio,
                             const std::vector<std::string>& note_linea, const std::vector<std::string>& note_servizio) {
  return {testo_linea(linea, intestazione("Line", note_linea)),
          testo_servizio(servizio, intestazione("Run", note_servizio))};
}

}  // namespace sb
