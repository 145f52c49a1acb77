// A driver's document composed in memory, before it is written: its lines,
// the remarks for the author, or why it cannot be written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// Most lines a document holds: the line list's slots before the end marker.
inline constexpr size_t kMassimoRigheDocumento = 1000;

// A remark for the author: a text that had to be cut to its column, pointed
// at the field of the row it came from.
struct avviso_documento {
  origine_errore origine = origine_errore::nessuna;  // the text of the row; nessuna: a command-line value
  int32_t riga = 0;       // 1-based line of the field in that text; 0 when unknown
  std::string campo;      // the field as the text holds it, to point at
  std::string messaggio;

  bool operator==(const avviso_documento&) const = default;
};

// One document, ready to write unless errore says why not.
struct documento_composto {
  std::vector<std::string> righe;
  std::vector<avviso_documento> avvisi;
  std::string errore;      // non-empty: nothing may be written
  int32_t riga_errore = 0;  // the line of the author's text it concerns; 0 none
};

// Sets errore when the lines are more than a document holds.
void verifica_lunghezza(documento_composto& d, const std::string& nome);

}  // namespace sb
