// The tool's whole table, every command run in this process: the live
// program, and the tests, which call the commands directly.
#include "tools/command_table.h"
#include "tools/lsp_command.h"
#include "tools/serve_command.h"

namespace sb {

std::vector<comando_strumento> tabella_comandi() { return tabella_con(voce_serve(), voce_lsp()); }

int esegui_strumento(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err, bool colore) {
  return esegui_con_tabella(tabella_comandi(), argomenti, out, err, colore);
}

}  // namespace sb
