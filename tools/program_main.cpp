#include "tools/program_main.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <new>
#include <string>

#include "platform/exit_status.h"
#include "report/diagnostic_printer.h"
#include "tools/command_table.h"

namespace sb {

int esegui_principale(int argc, char** argv, std::vector<comando_strumento> (*tabella)()) {
  try {
    std::vector<std::string> argomenti(argv + 1, argv + argc);
    const bool colore = usa_colore(isatty(STDERR_FILENO) == 1, std::getenv("NO_COLOR"));
    int stato = esegui_con_tabella(tabella(), argomenti, std::cout, std::cerr, colore);
    std::cout.flush();
    return stato;
  } catch (const std::bad_alloc&) {
    std::cerr << "scenario_tool: out of memory; no file was replaced half-written\n";
    return kUscitaFile;
  }
}

}  // namespace sb
