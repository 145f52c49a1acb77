// A private directory that lives as long as the object and is removed, with
// whatever it holds, when the object goes.
#pragma once

#include <string>

#include "platform/files.h"

namespace sb {

// A fresh directory under $TMPDIR (or /tmp), readable by its owner only.
class cartella_temporanea {
 public:
  cartella_temporanea() = default;
  ~cartella_temporanea();
  cartella_temporanea(const cartella_temporanea&) = delete;
  cartella_temporanea& operator=(const cartella_temporanea&) = delete;

  // Creates the directory; fails with the system's reason.
  esito_file crea();

  const std::string& percorso() const { return percorso_; }

 private:
  std::string percorso_;
};

}  // namespace sb
