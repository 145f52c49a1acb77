// The protocol's places, ranges and diagnostics as JSON, and the client's
// parameters read back through checked accessors.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "lsp/text_positions.h"

namespace sb {

// {"line": L, "character": C}.
nlohmann::json posizione_json(posizione_lsp p);

// {"start": ..., "end": ...}.
nlohmann::json intervallo_json(posizione_lsp inizio, posizione_lsp fine);

// A range as the protocol gives it.
struct intervallo_lsp {
  posizione_lsp inizio;
  posizione_lsp fine;
};

// A client's parameter missing, of the wrong type or out of range: the
// request is answered -32602 with the message, a notification is dropped.
// Thrown by the accessors below and caught where a message is dispatched.
struct parametro_errato {
  std::string messaggio;
};

// Member `chiave` of an object; throws parametro_errato when `o` is no
// object or has no such member.
const nlohmann::json& membro(const nlohmann::json& o, std::string_view chiave);

// Member `chiave` of an object, or null when it has none.
const nlohmann::json* membro_se_c_e(const nlohmann::json& o, std::string_view chiave);

// A string member.
const std::string& testo_membro(const nlohmann::json& o, std::string_view chiave);

// An integer member within [minimo, massimo]: a fraction, an exponent form
// or a number out of the range is refused, never converted.
int64_t intero_membro(const nlohmann::json& o, std::string_view chiave, int64_t minimo, int64_t massimo);

// A Position: line and character, each 0..2147483647.
posizione_lsp posizione_di(const nlohmann::json& p);

// A Range: start and end Positions.
intervallo_lsp intervallo_di(const nlohmann::json& r);

// One Diagnostic as it is published: range, severity (1 error, 2 warning,
// 3 information), "scenario_tool" as its source, a code when not empty.
nlohmann::json diagnostica_json(const nlohmann::json& intervallo, int severita, std::string_view codice,
                                std::string_view messaggio);

}  // namespace sb
