// An author's two description texts as compile and check take them: read,
// refused when they are no text, converted from UTF-8, compiled in memory,
// and what all that found shown as diagnostics.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "author/author_compile.h"
#include "compile/compile.h"
#include "compile/read_on.h"
#include "report/diagnostic_printer.h"

namespace sb {

// Every finding of an author's pair of texts, the one list that check,
// compile, documents, view, plan and the language server tell: what
// reading the texts found, the compile's codes, warnings and notes, those
// found reading on past its first error, the driver's documents' warnings,
// the notes the texts call for, then the timetable against the train's
// fastest run. Of a kind, the first hundred are kept and the rest counted.
struct analisi_testi {
  std::optional<risultato_compile> r;     // the build's compile; none when a text was refused
  std::vector<diagnostica> diagnostiche;  // every finding kept, in the order told
  diagnostiche_omesse omesse;             // counted, not kept
  testo_autore linea;                     // the texts as compiled; empty ones for a text not given
  testo_autore servizio;
  righe_lette lette;  // the rows taken whole reading on past every error
};

// Analyses the texts (file and originale set; byte is made here). The
// options' linea and servizio name the texts for the notes about a missing
// one; their profilo is the train the timetable is set against.
analisi_testi analizza_testi(const opzioni_compile& o, std::optional<testo_autore> linea,
                             std::optional<testo_autore> servizio);

// The analysis of the author's files with its findings shown.
struct compile_mostrato {
  risultato_compile r;
  conteggio_diagnostiche conti;
  testo_autore linea;
  testo_autore servizio;
  righe_lette lette;
  std::vector<diagnostica> diagnostiche;  // as shown
  diagnostiche_omesse omesse;
};

// What every command that reads the texts does first: read them, analyse
// them and show every finding on err. Nothing when no compile ran (a file
// that cannot be read, told on err, or a refused text): the exit status is
// then 4.
std::optional<compile_mostrato> compila_e_mostra(const opzioni_compile& o, std::ostream& err);

}  // namespace sb
