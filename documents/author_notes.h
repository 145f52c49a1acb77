// The author's own notes on the run, NAME_TRAIN_note.txt: their text as the
// document's lines.
#pragma once

#include <string_view>

#include "documents/composed_document.h"

namespace sb {

// The lines of a code page 1252 text, split at CR LF, LF or a lone CR; a
// line end at the very end adds no empty line. A line that reads exactly as
// the document's end marker, or more lines than a document holds, cannot be
// written and set errore.
documento_composto note_autore(std::string_view testo);

}  // namespace sb
