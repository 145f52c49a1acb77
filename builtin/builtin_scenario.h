// The scenario this program carries: its identifiers and the five texts the
// builder writes before it compiles, in the order it writes them.
#pragma once

#include <array>
#include <string>

#include "documents/line_list.h"
#include "platform/file_set.h"
#include "platform/files.h"

namespace sb {

// The line and the train of the built-in scenario.
inline constexpr const char* kNomeLinea = "BORVALE";
inline constexpr const char* kNumeroTreno = "40617";

// One text the builder writes: its file's name and its lines.
struct testo_incorporato {
  const char* nome;  // the procedure's name, for messages and tests
  std::string (*file)(const std::string& nome_linea, const std::string& numero_treno);
  lista_righe (*righe)();
  bool descrizione;  // a description text, read back and deleted by the compile
};

// The line and service descriptions, then the notes, the slowdown order and
// the train sheet.
const std::array<testo_incorporato, 5>& testi_incorporati();

// Replaces the five texts in the folder as one set: all five new files or,
// when one cannot be written, none of them.
esito_file scrivi_testi_incorporati(cartella_uscita& cartella, const std::string& nome_linea,
                                    const std::string& numero_treno);

}  // namespace sb
