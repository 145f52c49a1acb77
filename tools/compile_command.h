// "scenario_tool compile": an author's own line and service descriptions
// compiled by the builder's own driver into the simulator's binary files.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "compile/compile.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "scenario/scenario_records.h"
#include "tools/source_diagnostic.h"

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
  attesa_blocco attesa = attesa_blocco::attendi;  // --no-wait: non_attendere
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

// The same line for any entry of the build's diagnostics: "error N: ...",
// "warning: ..." or "note: ...", after the file and line it points into.
std::string riga_diagnostica(const diagnostica& d, const opzioni_compile& o);

// Reads the line and service descriptions and the notes the author gave,
// converting a text that is UTF-8 and warning on err about every line where
// a "?" stands in. A text not given stays absent.
esito_file leggi_testi(const opzioni_compile& o, std::optional<testo_autore>& linea,
                       std::optional<testo_autore>& servizio, std::optional<testo_autore>& note, std::ostream& err);

// The compile of the texts with the options' names and build flag.
richiesta_compile richiesta_di(const opzioni_compile& o, const std::optional<testo_autore>& linea,
                               const std::optional<testo_autore>& servizio);

// The exit status of a compile, with what the author must know on err: the
// guard's box text, the recorded code's line, a missing route length.
int stato_compile(const risultato_compile& r, const opzioni_compile& o, std::ostream& err);

// The last line of the compile's standard output.
std::string riga_esito(const scenario& s);

}  // namespace sb
