#include "lsp/protocol_json.h"

namespace sb {

nlohmann::json posizione_json(posizione_lsp p) { return {{"line", p.riga}, {"character", p.carattere}}; }

nlohmann::json intervallo_json(posizione_lsp inizio, posizione_lsp fine) {
  return {{"start", posizione_json(inizio)}, {"end", posizione_json(fine)}};
}

posizione_lsp posizione_di(const nlohmann::json& p) {
  return {p.at("line").get<int32_t>(), p.at("character").get<int32_t>()};
}

}  // namespace sb
