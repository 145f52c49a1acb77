// The four-page train sheet, NAME_TRAIN_scheda_treno.txt.
#pragma once

#include <string>
#include <vector>

#include "documents/line_list.h"
#include "documents/train_sheet_layout.h"
#include "platform/files.h"

namespace sb {

// The route rows of the run, origin to destination, with the landmarks between.
std::vector<voce_scheda> voci_scheda_corsa();

// The document's lines and the end marker.
lista_righe righe_scheda();

// Writes the document into the directory.
esito_file dati_scheda(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno);

}  // namespace sb
