// What a person is told about a text or a run, in one shape: where (file,
// line, first and last column), how serious, which code or kind, the message,
// and notes that each point at a place of their own. The compile, check,
// the documents, the picture and the commands all report through it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/diagnostics.h"

namespace sb {

// Who speaks when a diagnostic names no file.
inline constexpr std::string_view kProgramma = "scenario_tool";

// Where in an author's file a diagnostic points. Columns are 1-based byte
// columns of the code page 1252 line as the compile read it: one byte a
// character, so they count the author's characters.
struct luogo_sorgente {
  std::string file;            // as the author gave it; empty: no file (the program speaks)
  int32_t riga = 0;            // 1-based; 0: the whole file
  int32_t colonna = 0;         // first column at fault; 0: the whole line
  int32_t colonna_ultima = 0;  // last column at fault, from colonna on; 0 when colonna is

  bool operator==(const luogo_sorgente&) const = default;
};

// More about a diagnostic, at a place of its own.
struct nota_segnalazione {
  luogo_sorgente dove;
  std::string messaggio;  // UTF-8

  bool operator==(const nota_segnalazione&) const = default;
};

// One diagnostic as a person reads it. Its texts are UTF-8: whoever makes
// one from names in code page 1252 converts them (cp1252_in_utf8), so the
// printer, the page and the language server show them as they stand.
struct segnalazione {
  luogo_sorgente dove;
  gravita livello = gravita::errore;
  int32_t codice = 0;  // the recorded code; 0 for none
  genere_avviso genere = genere_avviso::nessuno;
  std::string messaggio;  // UTF-8, without the code's "error N: " in front
  std::vector<nota_segnalazione> note;
  int64_t metro = -1;  // where it points along the route, metres; -1: nowhere

  bool operator==(const segnalazione&) const = default;
};

// A diagnostic of the program itself, about no file: "scenario_tool: LEVEL: MESSAGE".
segnalazione del_programma(gravita livello, std::string messaggio);

// "error", "warning" or "note".
std::string_view parola_livello(gravita livello);

// What a diagnostic says after its level word; a recorded code keeps its
// number in front ("error 16: ...").
std::string testo_segnalazione(const segnalazione& s);

// "FILE:LINE:COLUMN", "FILE:LINE", "FILE", or the program's name when there
// is no file: where a diagnostic's first line says it points.
std::string luogo_mostrato(const luogo_sorgente& l);

// The first line of a diagnostic, without its line end and without colour:
// "FILE:LINE:COLUMN: error: error N: ...", "...: warning: ...".
std::string riga_gnu(const segnalazione& s);

// The line of a note: "FILE:LINE:COLUMN: note: ...".
std::string riga_gnu(const nota_segnalazione& n);

}  // namespace sb
