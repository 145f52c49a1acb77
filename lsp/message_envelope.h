// What a message says at its top level (its method, its id, whether it is
// an answer), read in one pass that builds no tree and stops at a nesting
// depth no message of the protocol needs: a client's bytes are looked at
// before anything is made of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace sb {

// How deep a message may nest objects and arrays: the protocol's deepest
// message of ours needs six levels.
inline constexpr int kProfonditaMassima = 64;

// A message's top level.
struct busta_messaggio {
  bool json = false;             // the body is JSON (within the depth)
  bool troppo_profondo = false;  // it nests deeper than the limit: read no further
  bool oggetto = false;          // its top is an object
  std::optional<std::string> metodo;  // "method", when it is a string
  bool con_id = false;           // it has an "id"
  nlohmann::json id;             // the "id" when it is an integer or a string; else null
  bool id_valido = false;        // the "id" is an integer or a string
  bool risposta = false;         // it has a "result" or an "error"
};

// Looks at a message body without building its tree.
busta_messaggio esamina_messaggio(std::string_view corpo, int profondita_massima = kProfonditaMassima);

}  // namespace sb
