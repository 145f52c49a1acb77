#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_set.h"
#include "platform/signals.h"

namespace sb {
namespace {

// Reads up to `limite` + 1 bytes of the open file into contenuto, so that a
// file that grew past the limit while being read is seen. Returns 0 or errno.
int leggi_fino_a(int fd, std::string& contenuto, size_t limite) {
  char pezzo[65536];
  for (;;) {
    ssize_t n = ::read(fd, pezzo, sizeof pezzo);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    contenuto.append(pezzo, static_cast<size_t>(n));
    if (contenuto.size() > limite) return EFBIG;
  }
}

// The reason for a file over the limit.
std::string troppo_grande(size_t limite) {
  return "larger than " + std::to_string(limite) + " bytes, the limit for a file that is read";
}

}  // namespace

std::string perche_non_regolare(unsigned modo) {
  if (S_ISDIR(modo)) return std::strerror(EISDIR);
  if (S_ISFIFO(modo)) return "not a regular file (a FIFO)";
  if (S_ISCHR(modo)) return "not a regular file (a character device)";
  if (S_ISBLK(modo)) return "not a regular file (a block device)";
  if (S_ISSOCK(modo)) return "not a regular file (a socket)";
  return "not a regular file";
}

esito_file fallito(const std::string& file, int numero_errno) {
  return esito_file{false, file, std::strerror(numero_errno)};
}

esito_file interrotto(const std::string& file, int segnale) {
  return esito_file{false, file, "interrupted by " + nome_segnale(segnale) + "; temporary files removed", segnale};
}

file_diviso dividi_file(const std::string& file) {
  const size_t barra = file.rfind('/');
  if (barra == std::string::npos) return {"", file};
  return {barra == 0 ? "/" : file.substr(0, barra), file.substr(barra + 1)};
}

bool file_esiste(const std::string& file) {
  struct stat st;
  return ::stat(file.c_str(), &st) == 0;
}

esito_file leggi_file(const std::string& file, std::string& contenuto, size_t limite) {
  contenuto.clear();
  int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fallito(file, errno);
  struct stat st;
  esito_file esito;
  if (::fstat(fd, &st) != 0) {
    esito = fallito(file, errno);
  } else if (!S_ISREG(st.st_mode)) {
    esito = esito_file{false, file, perche_non_regolare(st.st_mode)};
  } else if (static_cast<unsigned long long>(st.st_size) > limite) {
    esito = esito_file{false, file, troppo_grande(limite)};
  } else {
    try {
      contenuto.reserve(static_cast<size_t>(st.st_size));
      int e = leggi_fino_a(fd, contenuto, limite);
      if (e == EFBIG) esito = esito_file{false, file, troppo_grande(limite)};
      else if (e != 0) esito = fallito(file, e);
    } catch (const std::bad_alloc&) {
      esito = fallito(file, ENOMEM);
    }
  }
  ::close(fd);
  if (!esito.ok) std::string().swap(contenuto);
  return esito;
}

esito_file cancella_file(const std::string& file) {
  if (::unlink(file.c_str()) != 0) return fallito(file, errno);
  return {};
}

esito_file cancella_se_esiste(const std::string& file) {
  if (::unlink(file.c_str()) != 0 && errno != ENOENT) return fallito(file, errno);
  return {};
}

}  // namespace sb
