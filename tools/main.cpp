// scenario_tool: compile, export, dump and draw scenarios for authors. The
// commands that hold a web server run in the live program beside it.
#include <iostream>

#include "tools/live_entries.h"
#include "tools/live_program.h"
#include "tools/program_main.h"

int main(int argc, char** argv) {
  if (argc > 1 && sb::comando_vivo(argv[1])) return sb::passa_al_programma_vivo(argv, std::cerr);
  return sb::esegui_principale(argc, argv, sb::tabella_descritta);
}
