#include "documents/train_sheet.h"

#include "scenario/file_names.h"

namespace sb {

// Placeholder until the document lands.
lista_righe righe_scheda() { return lista_da({}); }

esito_file dati_scheda(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno) {
  return scrivi_documento(righe_scheda(), in_cartella(cartella, nome_documento(nome_linea, numero_treno, "scheda_treno.txt")));
}

}  // namespace sb
