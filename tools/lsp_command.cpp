#include "tools/lsp_command.h"

#include <iostream>
#include <map>

#include "author/scenario_names.h"
#include "grammar/text_format.h"
#include "lsp/language_server.h"
#include "tools/command_table.h"
#include "tools/live_entries.h"
#include "tools/serve_command.h"

namespace sb {
namespace {

// The version the server tells: the tool's, without its name.
std::string versione_server() {
  const std::string_view v = kVersioneStrumento;
  return std::string(v.substr(v.rfind(' ') + 1));
}

// The live pages started for the editor, by their pair's two files; they
// stop when the server ends.
struct pagine_vive {
  // What the compile tells is the editor's to show, and the page lists it.
  std::ostream scarto{nullptr};
  std::map<std::pair<std::string, std::string>, server_vivo> aperte;
};

// Wires the server's live page to serve's, the pages kept in p.
gancio_pagina_viva gancio_serve(pagine_vive& p) {
  gancio_pagina_viva g;
  g.apri = [&p](const std::string& linea, const std::string& servizio,
                std::string& errore) -> std::optional<std::string> {
    const auto chiave = std::make_pair(linea, servizio);
    if (const auto v = p.aperte.find(chiave); v != p.aperte.end()) return v->second.indirizzo;
    opzioni_compile c;
    c.linea = linea;
    c.servizio = servizio;
    const nomi_scenario nomi = scegli_nomi(std::nullopt, std::nullopt, linea, servizio);
    c.nome_linea = nomi.linea;
    c.numero_treno = nomi.treno;
    std::optional<server_vivo> s =
        avvia_pagina_viva(sorgente_testi(c, riga_comando{}), opzioni_vivo{}, p.scarto, errore);
    if (!s) return std::nullopt;
    return p.aperte.emplace(chiave, std::move(*s)).first->second.indirizzo;
  };
  g.cursore = [&p](const std::string& file, int32_t riga) {
    for (auto& [coppia, s] : p.aperte) {
      if (coppia.first == file || coppia.second == file) segnala_cursore(s, file, riga);
    }
  };
  return g;
}

// Runs "lsp" over the process's standard streams.
int comando_lsp(const riga_comando&, std::ostream&, std::ostream&, bool) {
  std::ios::sync_with_stdio(false);
  pagine_vive pagine;
  opzioni_server o;
  o.versione = versione_server();
  o.pagina_viva = gancio_serve(pagine);
  o.formatta = [](std::string_view testo, genere_testo g) -> std::optional<std::string> {
    esito_formato e = formatta_testo(testo, g);
    if (e.rifiutato) return std::nullopt;
    return e.testo;
  };
  return esegui_server(std::cin, std::cout, o);
}

}  // namespace

// The table's entry of "lsp", run in this process.
comando_strumento voce_lsp() {
  comando_strumento v = voce_lsp_descritta();
  v.esegui = comando_lsp;
  return v;
}

}  // namespace sb
