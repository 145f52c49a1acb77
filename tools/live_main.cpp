// scenario_tool_live: scenario_tool's commands with the web server linked,
// started by scenario_tool for serve and lsp.
#include "tools/command_table.h"
#include "tools/program_main.h"

int main(int argc, char** argv) { return sb::esegui_principale(argc, argv, sb::tabella_comandi); }
