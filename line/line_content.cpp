#include "line/line_content.h"

#include "scenario/file_names.h"

namespace sb {

// Placeholder until the line content lands.
lista_righe righe_linea() { return lista_da({"[generale]", "[fine]"}); }

esito_file dati_linea(const std::string& cartella, const std::string& nome_linea) {
  return scrivi_documento(righe_linea(), in_cartella(cartella, nome_testo_linea(nome_linea)));
}

}  // namespace sb
