// The live page as the language server offers it: a command (and a code
// lens at the top of each text of a complete pair) that has the tool start
// the page of the pair and asks the editor to open its address, and the
// editor's cursor passed on, so that the page highlights the row's items.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/pair_analysis.h"

namespace sb {

// The command's name, as editors call it.
inline constexpr const char* kComandoPaginaViva = "scenario.openLivePage";

// What the tool wires the server to; empty: no live page is offered.
struct gancio_pagina_viva {
  // Starts the page of the pair (or finds it running) and gives its
  // address; nothing, with the reason, when it cannot.
  std::function<std::optional<std::string>(const std::string& linea, const std::string& servizio,
                                           std::string& errore)>
      apri;
  // The editor's cursor is at line riga (from 1) of the file.
  std::function<void(const std::string& file, int32_t riga)> cursore;
};

// The code lens "open the live page" on the first row of a text of a
// complete pair; none for a text without its partner.
nlohmann::json lenti_pagina_viva(const analisi_coppia& a, const testo_coppia& t);

// What the command on the pair of a text gets: the page's address, or the
// reason it has none.
struct esito_pagina_viva {
  std::optional<std::string> indirizzo;
  std::string errore;
};

// Starts the live page of the pair holding the text.
esito_pagina_viva apri_pagina_viva(const gancio_pagina_viva& g, const analisi_coppia* a);

// The request that asks the editor to open the address in the browser.
std::string chiedi_apertura(int64_t id, const std::string& indirizzo);

}  // namespace sb
