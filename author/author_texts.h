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

// A compile of the author's texts with its diagnostics shown, and the texts
// as read (empty ones for a text not given).
struct compile_mostrato {
  risultato_compile r;
  conteggio_diagnostiche conti;
  testo_autore linea;
  testo_autore servizio;
  righe_lette lette;  // the rows taken whole reading on past every error
};

// What compile and check do first: read the texts, compile them and show
// every diagnostic on err. Nothing when no compile ran (a file that cannot
// be read, told on err, or a refused text): the exit status is then 4.
std::optional<compile_mostrato> compila_e_mostra(const opzioni_compile& o, std::ostream& err);

// The compile of texts already in memory (an editor's buffers), as compile
// and check make it of files: the compile, none when a text was refused;
// every diagnostic in the order they are shown; the texts as the compile read
// them (empty ones for a text not given).
struct compile_in_memoria {
  std::optional<risultato_compile> r;
  std::vector<diagnostica> diagnostiche;
  testo_autore linea;
  testo_autore servizio;
};

// Compiles the texts (percorso and originale set; byte is made here). The
// options' linea and servizio name the texts for the notes about a missing one.
compile_in_memoria compila_in_memoria(const opzioni_compile& o, std::optional<testo_autore> linea,
                                      std::optional<testo_autore> servizio);

}  // namespace sb
