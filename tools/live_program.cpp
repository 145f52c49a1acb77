#include "tools/live_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "platform/exit_status.h"
#include "platform/program_directory.h"

namespace sb {

bool comando_vivo(std::string_view comando) { return comando == "serve" || comando == "lsp"; }

int passa_al_programma_vivo(char** argv, std::ostream& err) {
  const std::string cartella = cartella_programma();
  const std::string file = (cartella.empty() ? std::string(".") : cartella) + "/" + kProgrammaVivo;
  ::execv(file.c_str(), argv);
  err << "scenario_tool: cannot run " << file << ": " << std::strerror(errno) << "\n";
  return kUscitaFile;
}

}  // namespace sb
