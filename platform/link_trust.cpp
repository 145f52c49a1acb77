#include "platform/link_trust.h"

#include <cerrno>
#include <deque>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace sb {
namespace {

// The most links followed on one path, as the system's own limit.
constexpr int kMassimoLink = 40;

// The parts of a path between its slashes, empty ones left out.
std::deque<std::string> parti(const std::string& file) {
  std::deque<std::string> p;
  size_t inizio = 0;
  while (inizio <= file.size()) {
    size_t fine = file.find('/', inizio);
    if (fine == std::string::npos) fine = file.size();
    if (fine > inizio) p.push_back(file.substr(inizio, fine - inizio));
    inizio = fine + 1;
  }
  return p;
}

// A folder and a name in it joined.
std::string unisci(const std::string& cartella, const std::string& nome) {
  if (cartella.empty()) return nome;
  return cartella.back() == '/' ? cartella + nome : cartella + "/" + nome;
}

// Why the link (its lstat given) in the folder may not be followed, or empty.
std::string dubbio_link(const std::string& cartella, const struct stat& link) {
  struct stat c;
  if (::stat(cartella.empty() ? "." : cartella.c_str(), &c) != 0) return "";
  const bool condivisa = (c.st_mode & S_ISVTX) != 0 && (c.st_mode & S_IWOTH) != 0;
  if (!condivisa || link.st_uid == ::geteuid() || link.st_uid == c.st_uid) return "";
  return "a symbolic link owned by user " + std::to_string(link.st_uid) +
         " in a sticky folder every user may write; not followed";
}

// The target of a link; empty when it cannot be read.
std::string bersaglio(const std::string& link) {
  std::vector<char> b(4096);
  const ssize_t n = ::readlink(link.c_str(), b.data(), b.size());
  return n <= 0 ? std::string() : std::string(b.data(), static_cast<size_t>(n));
}

}  // namespace

esito_file file_fidato(const std::string& file) {
  std::deque<std::string> resto = parti(file);
  // What is followed so far: "/" for an absolute path, "" (here) otherwise.
  std::string fatto = !file.empty() && file[0] == '/' ? "/" : "";
  int link = 0;
  while (!resto.empty()) {
    const std::string parte = resto.front();
    resto.pop_front();
    if (parte == ".") continue;
    const std::string prossimo = unisci(fatto, parte);
    struct stat st;
    if (::lstat(prossimo.c_str(), &st) != 0) return {};
    if (!S_ISLNK(st.st_mode)) {
      fatto = prossimo;
      continue;
    }
    if (std::string d = dubbio_link(fatto, st); !d.empty()) return esito_file{false, prossimo, d};
    if (++link > kMassimoLink) return {};
    const std::string b = bersaglio(prossimo);
    if (b.empty()) return {};
    std::deque<std::string> nuove = parti(b);
    nuove.insert(nuove.end(), resto.begin(), resto.end());
    resto = std::move(nuove);
    if (b[0] == '/') fatto = "/";
  }
  return {};
}

}  // namespace sb
