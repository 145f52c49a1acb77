// scenario_tool: compile, export, dump and draw scenarios for authors.
#include <iostream>
#include <string>
#include <vector>

#include "tools/subcommands.h"

int main(int argc, char** argv) {
  std::vector<std::string> argomenti(argv + 1, argv + argc);
  int stato = sb::esegui_strumento(argomenti, std::cout, std::cerr);
  std::cout.flush();
  return stato;
}
