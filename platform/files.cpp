#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sb {

esito_file fallito(const std::string& percorso, int numero_errno) {
  return esito_file{false, percorso, std::strerror(numero_errno)};
}

bool file_esiste(const std::string& percorso) {
  struct stat st;
  return ::stat(percorso.c_str(), &st) == 0;
}

esito_file leggi_file(const std::string& percorso, std::string& contenuto) {
  contenuto.clear();
  int fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fallito(percorso, errno);
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      return fallito(percorso, e);
    }
    if (n == 0) break;
    contenuto.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return {};
}

esito_file cancella_file(const std::string& percorso) {
  if (::unlink(percorso.c_str()) != 0) return fallito(percorso, errno);
  return {};
}

esito_file cancella_se_esiste(const std::string& percorso) {
  if (::unlink(percorso.c_str()) != 0 && errno != ENOENT) return fallito(percorso, errno);
  return {};
}

namespace {

esito_file scrivi_tutto(int fd, const std::string& percorso, std::string_view byte) {
  while (!byte.empty()) {
    ssize_t n = ::write(fd, byte.data(), byte.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return fallito(percorso, errno);
    }
    byte.remove_prefix(static_cast<size_t>(n));
  }
  return {};
}

}  // namespace

esito_file sostituisci_file(const std::string& percorso, std::string_view byte) {
  int fd = ::open(percorso.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return fallito(percorso, errno);
  ::close(fd);
  if (::unlink(percorso.c_str()) != 0) return fallito(percorso, errno);
  fd = ::open(percorso.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fallito(percorso, errno);
  esito_file esito = scrivi_tutto(fd, percorso, byte);
  if (::close(fd) != 0 && esito.ok) esito = fallito(percorso, errno);
  // A file cut short (a full disk) would be read as a whole one: it goes.
  if (!esito.ok) ::unlink(percorso.c_str());
  return esito;
}

}  // namespace sb
