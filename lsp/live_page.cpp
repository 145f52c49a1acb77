#include "lsp/live_page.h"

namespace sb {

using json = nlohmann::json;

nlohmann::json lenti_pagina_viva(const analisi_coppia& a, const testo_coppia& t) {
  if (!a.linea || !a.servizio) return json::array();
  const json inizio = {{"line", 0}, {"character", 0}};
  return json::array({{{"range", {{"start", inizio}, {"end", inizio}}},
                       {"command",
                        {{"title", "open the live page"},
                         {"command", kComandoPaginaViva},
                         {"arguments", json::array({t.uri})}}}}});
}

esito_pagina_viva apri_pagina_viva(const gancio_pagina_viva& g, const analisi_coppia* a) {
  esito_pagina_viva e;
  if (!g.apri) {
    e.errore = "this server offers no live page";
    return e;
  }
  if (a == nullptr || !a->linea || !a->servizio) {
    e.errore = "the live page needs both texts: NAME_linea.txt and NAME_TRAIN-.txt in one folder";
    return e;
  }
  e.indirizzo = g.apri(a->linea->file, a->servizio->file, e.errore);
  return e;
}

std::string chiedi_apertura(int64_t id, const std::string& indirizzo) {
  return json{{"jsonrpc", "2.0"},
              {"id", id},
              {"method", "window/showDocument"},
              {"params", {{"uri", indirizzo}, {"external", true}}}}
      .dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace sb
