#include "service/service_content.h"

#include "scenario/file_names.h"

namespace sb {

// Placeholder until the service content lands.
lista_righe righe_treno() { return lista_da({"[generale]", "[fine]"}); }

esito_file dati_treno(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno) {
  return scrivi_documento(righe_treno(), in_cartella(cartella, nome_testo_servizio(nome_linea, numero_treno)));
}

}  // namespace sb
