#include "builtin/slowdown_order.h"

#include "documents/slowdown_form.h"
#include "scenario/file_names.h"

namespace sb {

lista_righe righe_rallentamenti() { return lista_da(righe_modulo("xxxxxx xxxxxxx", "xxxxx", {})); }

esito_file dati_rallentamenti(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno) {
  return scrivi_documento(righe_rallentamenti(), in_cartella(cartella, nome_documento(nome_linea, numero_treno, "rallentamenti.txt")));
}

}  // namespace sb
