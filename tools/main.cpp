// scenario_tool: compile, export, dump and draw scenarios for authors.
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "compile/exit_status.h"
#include "report/diagnostic_printer.h"
#include "tools/command_table.h"

int main(int argc, char** argv) {
  try {
    std::vector<std::string> argomenti(argv + 1, argv + argc);
    const bool colore = sb::usa_colore(isatty(STDERR_FILENO) == 1, std::getenv("NO_COLOR"));
    int stato = sb::esegui_strumento(argomenti, std::cout, std::cerr, colore);
    std::cout.flush();
    return stato;
  } catch (const std::bad_alloc&) {
    std::cerr << "scenario_tool: out of memory; no file was replaced half-written\n";
    return sb::kUscitaFile;
  }
}
