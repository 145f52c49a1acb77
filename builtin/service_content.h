// The scenario's service description, BORVALE_40617-.txt.
#pragma once

#include <string>

#include "documents/line_list.h"
#include "platform/files.h"

namespace sb {

// The 120 lines of the service description and the end marker.
lista_righe righe_treno();

// Writes the service description NAME_TRAIN-.txt into the directory.
esito_file dati_treno(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno);

}  // namespace sb
