#include "platform/program_directory.h"

#include <climits>
#include <unistd.h>

namespace sb {

std::string cartella_programma() {
  char buffer[PATH_MAX + 1];
  ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
  if (n <= 0) return {};
  std::string file(buffer, static_cast<size_t>(n));
  size_t barra = file.rfind('/');
  if (barra == std::string::npos) return {};
  if (barra == 0) return "/";
  return file.substr(0, barra);
}

}  // namespace sb
