// The scenario's line description, BORVALE_linea.txt.
#pragma once

#include <string>

#include "documents/line_list.h"
#include "platform/files.h"

namespace sb {

// The 134 lines of the line description and the end marker.
lista_righe righe_linea();

// Writes the line description NAME_linea.txt into the directory.
esito_file dati_linea(const std::string& cartella, const std::string& nome_linea);

}  // namespace sb
