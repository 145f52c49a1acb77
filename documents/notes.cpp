#include "documents/notes.h"

#include "scenario/file_names.h"

namespace sb {

// Placeholder until the document lands.
lista_righe righe_note() { return lista_da({}); }

esito_file dati_note(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno) {
  return scrivi_documento(righe_note(), in_cartella(cartella, nome_documento(nome_linea, numero_treno, "note.txt")));
}

}  // namespace sb
