// The protocol's places and ranges as JSON, and back.
#pragma once

#include <nlohmann/json.hpp>

#include "lsp/text_positions.h"

namespace sb {

// {"line": L, "character": C}.
nlohmann::json posizione_json(posizione_lsp p);

// {"start": ..., "end": ...}.
nlohmann::json intervallo_json(posizione_lsp inizio, posizione_lsp fine);

// A Position read back; throws the JSON library's exception when it is none.
posizione_lsp posizione_di(const nlohmann::json& p);

}  // namespace sb
