#include "tools/live_entries.h"

#include "tools/command_table.h"
#include "tools/train_profile_option.h"

namespace sb {
namespace {

constexpr const char* kAiutoServe =
    "usage: scenario_tool serve --line FILE --service FILE [--line-name NAME]\n"
    "                           [--train NUMBER] [--train-profile FILE]\n"
    "                           [--recovery-margin PCT] [--port N] [--open]\n"
    "\n"
    "Serves the page view writes for the two descriptions on this computer only\n"
    "(127.0.0.1 and ::1) and prints its address, which carries a random token: without\n"
    "it, or asked by another name than the loopback address, the server gives nothing.\n"
    "Each time a description (or the train profile) is saved, the texts are compiled\n"
    "again and every open page draws the new scenario in place, keeping its zoom, its\n"
    "position and the item picked; the diagnostics' marks and list follow. Nothing is\n"
    "written to disk. It runs until interrupted (Ctrl-C), then exits 0.\n"
    "\n"
    "  --port N   the port to listen on (default 0: one the system picks)\n"
    "  --open     open the address in the desktop's web browser (xdg-open)\n"
    "\n"
    "Exit status: 0 when interrupted, 2 usage error, 4 a description cannot be read or\n"
    "the port cannot be listened on.\n";

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

}  // namespace

comando_strumento voce_serve_descritta() {
  std::vector<opzione_ammessa> opzioni = {{"--line", true},  {"--service", true}, {"--line-name", true},
                                          {"--train", true}, {"--port", true},    {"--open", false}};
  for (const opzione_ammessa& x : opzioni_profilo()) opzioni.push_back(x);
  return {"serve", "serve the page of view live: it follows each save of the descriptions", kAiutoServe,
          opzioni, 0, nullptr};
}

comando_strumento voce_lsp_descritta() {
  return {"lsp", "serve an editor: diagnostics, hover and more as you type", kAiutoLsp, {}, 0, nullptr};
}

std::vector<comando_strumento> tabella_descritta() {
  return tabella_con(voce_serve_descritta(), voce_lsp_descritta());
}

}  // namespace sb
