// The driver's documents of an author's own scenario: "scenario_tool
// documents" and "scenario_tool compile --documents".
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "author/scenario_names.h"
#include "compile/compile.h"
#include "platform/writer.h"
#include "report/author_text.h"
#include "tools/command_line.h"

namespace sb {

// The texts the documents are made from, as the author gave them.
struct testi_documenti {
  testo_autore linea;
  testo_autore servizio;
  std::optional<testo_autore> note;  // --notes
};

// Replaces NAME_TRAIN_scheda_treno.txt, NAME_TRAIN_rallentamenti.txt and,
// with notes, NAME_TRAIN_note.txt in the folder as one set, from a compile
// that ran clean; NAME and TRAIN are the names as given. A compile that
// recorded a code, or a document that cannot be made, writes none and says
// why on err; the documents' warnings (what was cut) are shown with the
// compile's diagnostics. Returns the exit status of the documents (clean, a
// code, a file).
int scrivi_documenti_autore(const risultato_compile& r, const testi_documenti& t, scrittura& w,
                            const nomi_scenario& nomi, std::ostream& err);

// The command table's entry of "documents".
comando_strumento voce_documents();

}  // namespace sb
