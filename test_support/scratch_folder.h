// For tests: a fresh private folder under $TMPDIR (or /tmp), removed with
// whatever it holds when the object goes.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace sb::prova {

// A scratch folder for one test.
class cartella_prova {
 public:
  cartella_prova() {
    const char* tmp = std::getenv("TMPDIR");
    std::string modello = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/sb_test_XXXXXX";
    if (::mkdtemp(modello.data()) != nullptr) percorso_ = modello;
  }
  ~cartella_prova() {
    if (percorso_.empty()) return;
    std::error_code e;
    std::filesystem::permissions(percorso_, std::filesystem::perms::owner_all, e);
    std::filesystem::remove_all(percorso_, e);
  }
  cartella_prova(const cartella_prova&) = delete;
  cartella_prova& operator=(const cartella_prova&) = delete;

  bool ok() const { return !percorso_.empty(); }
  const std::string& percorso() const { return percorso_; }
  std::string operator/(const std::string& nome) const { return percorso_ + "/" + nome; }

 private:
  std::string percorso_;
};

}  // namespace sb::prova
