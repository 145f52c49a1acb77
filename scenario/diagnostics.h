// What a build tells the author: every code recorded on the way, in order,
// with the text and line it came from. Warnings and notes share the list.
#pragma once

#include <cstdint>
#include <string>

namespace sb {

// Which text a diagnostic points into.
enum class origine_errore : uint8_t {
  nessuna,
  testo_linea,     // the line description
  testo_servizio,  // the service description
  passaggio,       // the signal aspect pass (a cell, no text row)
};

// How serious a diagnostic is.
enum class gravita : uint8_t {
  errore,  // a recorded code: codice_errore was set
  avviso,  // the format takes it, but an author almost never means it
  nota,    // more about the diagnostic before it, or about the whole text
};

// One entry of the build's diagnostics.
struct diagnostica {
  gravita livello = gravita::errore;
  int32_t codice = 0;  // the recorded code; 0 for a warning or note without one
  origine_errore origine = origine_errore::nessuna;
  int32_t riga = 0;       // 1-based line in the text; 0 when none
  int32_t colonna = 0;    // 1-based byte column in the line; 0 when unknown
  int32_t posizione = 0;  // posizione_errore once the code was recorded (metres)
  std::string messaggio;  // empty: the code's own meaning

  bool operator==(const diagnostica&) const = default;
};

}  // namespace sb
