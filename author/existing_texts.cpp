#include "author/existing_texts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ostream>
#include <sys/stat.h>

namespace sb {

bool testi_presenti(const cartella_uscita& cartella, const std::vector<std::string>& nomi, std::ostream& err) {
  bool presenti = false;
  for (const std::string& nome : nomi) {
    struct stat st;
    if (::fstatat(cartella.fd(), nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    err << cartella.in(nome) << ": " << std::strerror(EEXIST) << " (--force replaces it)\n";
    presenti = true;
  }
  return presenti;
}

}  // namespace sb
