#include "tools/temporary_directory.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace sb {

cartella_temporanea::~cartella_temporanea() {
  if (percorso_.empty()) return;
  std::error_code ignorato;
  std::filesystem::remove_all(percorso_, ignorato);
}

esito_file cartella_temporanea::crea() {
  const char* base = std::getenv("TMPDIR");
  std::string modello = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                        "/scenario_tool.XXXXXX";
  std::vector<char> nome(modello.begin(), modello.end());
  nome.push_back('\0');
  if (::mkdtemp(nome.data()) == nullptr) return fallito(modello, errno);
  percorso_ = nome.data();
  return {};
}

}  // namespace sb
