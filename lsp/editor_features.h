// What the editor asks about a compiled text: hover, inlay hints,
// completion, the outline and the fixes; each answer in the protocol's JSON.
#pragma once

#include <nlohmann/json.hpp>

#include "lsp/pair_analysis.h"
#include "lsp/protocol_json.h"
#include "lsp/text_positions.h"

namespace sb {

// The Hover at a place: the row's keyword, the field's name, unit and
// range, the value as stored, an item's place; null where no field stands.
nlohmann::json hover(const analisi_coppia& a, const testo_coppia& t, posizione_lsp p);

// The InlayHint[] naming the values of the long rows within lines da..a
// (from 0, both included).
nlohmann::json suggerimenti_campi(const testo_coppia& t, int32_t da, int32_t a);

// The CompletionItem[] at a place: where a keyword goes, the keywords of
// the section (with a snippet of their values) and the section headings.
nlohmann::json completamento(const testo_coppia& t, posizione_lsp p);

// The DocumentSymbol[]: the sections, and in them every station, signal and
// slowdown.
nlohmann::json simboli(const testo_coppia& t);

// The CodeAction[] of the fixes whose range meets the given one.
nlohmann::json azioni(const analisi_coppia& a, const std::string& uri, intervallo_lsp intervallo);

}  // namespace sb
