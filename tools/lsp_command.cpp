#include "tools/lsp_command.h"

#include <iostream>
#include <map>

#include "author/scenario_names.h"
#include "grammar/text_format.h"
#include "lsp/language_server.h"
#include "tools/command_table.h"
#include "tools/serve_command.h"

namespace sb {
namespace {

constexpr const char* kAiutoLsp =
    "usage: scenario_tool lsp\n"
    "\n"
    "Runs the language server for the line and service descriptions: an editor starts it\n"
    "and speaks JSON-RPC over standard input and output. It compiles each open text with\n"
    "its partner in the same folder (NAME_linea.txt with NAME_TRAIN-.txt) after every\n"
    "change and publishes every diagnostic of check; it also answers hover, inlay hints,\n"
    "completion, document symbols, code actions and formatting. It writes no file.\n"
    "Its command scenario.openLivePage (a code lens \"open the live page\" on each text)\n"
    "starts the page of serve for the pair and has the editor open it; the page then\n"
    "highlights the items of the row under the editor's cursor.\n"
    "\n"
    "Exit status: 0 after shutdown and exit, or when the editor closes its end; 1 for an\n"
    "exit without shutdown.\n";

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

// The table's entry of "lsp".
comando_strumento voce_lsp() {
  return {"lsp", "serve an editor: diagnostics, hover and more as you type", kAiutoLsp, {}, 0, comando_lsp};
}

}  // namespace sb
