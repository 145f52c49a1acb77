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
    if (::mkdtemp(modello.data()) != nullptr) cartella_ = modello;
  }
  ~cartella_prova() {
    if (cartella_.empty()) return;
    std::error_code e;
    std::filesystem::permissions(cartella_, std::filesystem::perms::owner_all, e);
    std::filesystem::remove_all(cartella_, e);
  }
  cartella_prova(const cartella_prova&) = delete;
  cartella_prova& operator=(const cartella_prova&) = delete;

  bool ok() const { return !cartella_.empty(); }
  const std::string& cartella() const { return cartella_; }
  std::string operator/(const std::string& nome) const { return cartella_ + "/" + nome; }

 private:
  std::string cartella_;
};

}  // namespace sb::prova
