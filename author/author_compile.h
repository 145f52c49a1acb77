// An author's compile as the commands ask for it: the options, the request
// made of them and the texts read, how it ended and the lines that tell it.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "compile/compile.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "report/author_text.h"
#include "running_time/train_profile.h"
#include "scenario/diagnostic_cap.h"
#include "scenario/diagnostics.h"
#include "scenario/scenario_records.h"
#include "text_input/utf8_input.h"

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
  bool werror = false;  // --werror: a warning fails the compile and nothing is written
  bool colore = false;  // diagnostics in colour
  profilo_treno profilo;  // the train whose fastest run the timetable is set against
  bool orario = true;     // the timetable's findings among the others (timing prints its own table)
};

// The lines with a "?" that a converted text counted past those it lists,
// as warnings counted but not kept.
diagnostiche_omesse sostituiti_omessi(const testo_convertito& c);

// Reads an author's text (the notes) and converts it when it is UTF-8,
// warning on err where a "?" stands in (one line each, a few of them).
// Absent when no file was given.
esito_file leggi_testo_autore(const std::string& autore, std::optional<testo_autore>& testo, std::ostream& err);

// The compile of the texts with the options' names and build flag.
richiesta_compile richiesta_di(const opzioni_compile& o, const std::optional<testo_autore>& linea,
                               const std::optional<testo_autore>& servizio);

// The exit status of a compile, with what the author must know on err
// besides the diagnostics: the guard's box text, a missing route length.
int stato_compile(const risultato_compile& r, std::ostream& err);

// The last line of the compile's standard output.
std::string riga_esito(const scenario& s);

}  // namespace sb
