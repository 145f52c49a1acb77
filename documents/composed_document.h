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

// One document, ready to write unless errore says why not.
struct documento_composto {
  std::vector<std::string> righe;
  // Remarks for the author, as warnings of the compile's shape: a text cut to
  // its column, pointed at where the row's field begins (origine nessuna: a
  // value of the command line).
  std::vector<diagnostica> avvisi;
  std::string errore;      // non-empty: nothing may be written
  int32_t riga_errore = 0;  // the line of the author's text it concerns; 0 none
};

// A warning of a document, of the given kind, about the field at `dove`.
diagnostica avviso_documento(genere_avviso genere, const luogo_testo& dove, std::string messaggio);

// Sets errore when the lines are more than a document holds.
void verifica_lunghezza(documento_composto& d, const std::string& nome);

}  // namespace sb
