#include "tools/lsp_command.h"

#include <iostream>

#include "grammar/text_format.h"
#include "lsp/language_server.h"

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
    "\n"
    "Exit status: 0 after shutdown and exit, or when the editor closes its end; 1 for an\n"
    "exit without shutdown.\n";

// Runs "lsp" over the process's standard streams.
int comando_lsp(const riga_comando&, std::ostream&, std::ostream&, bool) {
  std::ios::sync_with_stdio(false);
  opzioni_server o;
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
