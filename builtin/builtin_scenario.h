// The scenario this program carries: its identifiers and the five texts the
// builder writes before it compiles, in the order it writes them.
#pragma once

#include <array>
#include <string>

#include "documents/line_list.h"
#include "platform/files.h"

namespace sb {

// The line and the train of the built-in scenario.
inline constexpr const char* kNomeLinea = "BORVALE";
inline constexpr const char* kNumeroTreno = "40617";

// One text the builder writes: the procedure that writes it into a folder.
struct testo_incorporato {
  const char* nome;  // the procedure's name, for messages and tests
  esito_file (*scrivi)(const std::string& cartella, const std::string& nome_linea, const std::string& numero_treno);
};

// The line and service descriptions, then the notes, the slowdown order and
// the train sheet.
const std::array<testo_incorporato, 5>& testi_incorporati();

// Writes the five texts in order; stops at the first that fails.
esito_file scrivi_testi_incorporati(const std::string& cartella, const std::string& nome_linea,
                                    const std::string& numero_treno);

}  // namespace sb
