// The notes on the run, NAME_TRAIN_note.txt.
#pragma once

#include <string>

#include "documents/line_list.h"
#include "platform/files.h"

namespace sb {

// The document's lines and the end marker.
lista_righe righe_note();

// Writes the document into the directory.
esito_file dati_note(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno);

}  // namespace sb
