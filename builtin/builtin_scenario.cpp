#include "builtin/builtin_scenario.h"

#include "builtin/line_content.h"
#include "builtin/notes.h"
#include "builtin/service_content.h"
#include "builtin/slowdown_order.h"
#include "builtin/train_sheet.h"

namespace sb {
namespace {

// The line description takes no train number.
esito_file scrivi_linea(const std::string& cartella, const std::string& nome_linea, const std::string&) {
  return dati_linea(cartella, nome_linea);
}

}  // namespace

const std::array<testo_incorporato, 5>& testi_incorporati() {
  static const std::array<testo_incorporato, 5> testi = {{
      {"dati_linea", scrivi_linea},
      {"dati_treno", dati_treno},
      {"dati_note", dati_note},
      {"dati_rallentamenti", dati_rallentamenti},
      {"dati_scheda", dati_scheda},
  }};
  return testi;
}

esito_file scrivi_testi_incorporati(const std::string& cartella, const std::string& nome_linea,
                                    const std::string& numero_treno) {
  for (const testo_incorporato& t : testi_incorporati()) {
    if (esito_file e = t.scrivi(cartella, nome_linea, numero_treno); !e.ok) return e;
  }
  return {};
}

}  // namespace sb
