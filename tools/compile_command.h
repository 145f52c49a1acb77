// "scenario_tool compile": an author's own line and service descriptions
// compiled by the builder's own driver into the simulator's binary files.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/files.h"
#include "scenario/scenario_records.h"

namespace sb {

// What the author asked for.
struct opzioni_compile {
  std::string linea;     // the line description; empty: there is none
  std::string servizio;  // the service description; empty: there is none
  std::string nome_linea = "BORVALE";
  std::string numero_treno = "40617";
  bool senza_griglia = false;  // --no-plan: build flag 0
  std::string cartella_uscita;
  bool binari = true;       // write the three binary files ("documents" does not)
  bool documenti = false;   // --documents: write the driver's documents too
  std::string note;         // --notes: the author's notes; empty: none
};

// Compiles in memory, writes the binary files and, when asked, the driver's
// documents into the output directory, and returns the exit status.
// Diagnostics and the box go to err; the last line written to out is
// "codice_errore=N posizione_errore=P" whenever the compile ran.
int esegui_compile(const opzioni_compile& o, std::ostream& out, std::ostream& err);

// The diagnostic line of a recorded code, naming the author's file and line
// for a code a row caused, or the cell and metre for the pass's codes.
std::string riga_diagnostica(const scenario& s, const opzioni_compile& o);

// Creates the output directory and its parents when missing.
esito_file crea_cartella(const std::string& cartella);

// The last line of the compile's standard output.
std::string riga_esito(const scenario& s);

}  // namespace sb
