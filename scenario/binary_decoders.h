// Reading the simulator's three binary files back into the records, with the
// byte offset of the first fault when a file is cut short or malformed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scenario/scenario_records.h"

namespace sb {

// Outcome of a read: ok, or what is wrong and at which byte.
struct [[nodiscard]] esito_decodifica {
  bool ok = true;
  size_t offset = 0;
  std::string motivo;

  // "byte OFFSET: REASON".
  std::string messaggio() const;
};

// The 87 records of an object table file; nothing may follow them.
esito_decodifica decodifica_tabella(std::string_view byte, tabella_oggetti& tabella);

// The 15-byte cells of a route cell file.
esito_decodifica decodifica_celle(std::string_view byte, celle_percorso& celle);

// The variant values of a line plan file: the x block, then the y block.
esito_decodifica decodifica_griglia(std::string_view byte, griglia_linea& griglia);

}  // namespace sb
