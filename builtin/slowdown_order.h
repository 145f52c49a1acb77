// The blank slowdown order form, NAME_TRAIN_rallentamenti.txt.
#pragma once

#include <string>

#include "documents/line_list.h"
#include "platform/files.h"

namespace sb {

// The document's lines and the end marker.
lista_righe righe_rallentamenti();

// Writes the document into the directory.
esito_file dati_rallentamenti(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno);

}  // namespace sb
