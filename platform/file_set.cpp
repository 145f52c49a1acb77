#include "platform/file_set.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/signals.h"

namespace sb {
namespace {

constexpr std::string_view kMarcaTemporanea = ".sbtmp-";
constexpr size_t kLettereCasuali = 6;
constexpr size_t kPezzoScrittura = size_t{1} << 20;
constexpr const char kAlfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool alfanumerico(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// The longest name a folder entry may have on the file systems in use.
constexpr size_t kMassimoNome = 255;

// ".NAME.sbtmp-" and six random letters or digits; NAME is cut so that the
// temporary name is never longer than a name may be (a name the folder takes
// is never refused for its temporary name).
std::string nuovo_nome_temporaneo(const std::string& nome) {
  unsigned char caso[kLettereCasuali];
  if (getrandom(caso, sizeof caso, 0) != static_cast<ssize_t>(sizeof caso)) {
    unsigned long v = static_cast<unsigned long>(::getpid()) * 2654435761UL ^ static_cast<unsigned long>(std::rand());
    for (unsigned char& c : caso) c = static_cast<unsigned char>(v >>= 5);
  }
  const size_t coda = 1 + kMarcaTemporanea.size() + kLettereCasuali;
  std::string t = "." + nome.substr(0, kMassimoNome - coda) + std::string(kMarcaTemporanea);
  for (unsigned char c : caso) t += kAlfabeto[c % (sizeof kAlfabeto - 1)];
  return t;
}

// A plain name inside the folder: no separator, not "." or "..".
bool nome_semplice(std::string_view nome) {
  return !nome.empty() && nome != "." && nome != ".." && nome.find('/') == std::string_view::npos;
}

// The temporary files of a set being written; those still held are deleted
// when it goes (a failure, a signal, an exception). A file to be flushed
// stays open until it is.
class temporanei {
 public:
  explicit temporanei(int fd) : fd_(fd) {}
  ~temporanei() {
    for (size_t i = 0; i < nomi_.size(); ++i) {
      if (aperti_[i] >= 0) ::close(aperti_[i]);
      ::unlinkat(fd_, nomi_[i].c_str(), 0);
    }
  }
  temporanei(const temporanei&) = delete;
  temporanei& operator=(const temporanei&) = delete;

  void aggiungi(std::string nome, int aperto) {
    nomi_.push_back(std::move(nome));
    aperti_.push_back(aperto);
  }
  const std::vector<std::string>& nomi() const { return nomi_; }

  // Flushes every file still open to the disk and closes it; returns the
  // index of the first that fails and its errno, or 0.
  int flush(cartella_uscita& cartella, size_t& indice) {
    for (size_t i = 0; i < aperti_.size(); ++i) {
      if (aperti_[i] < 0) continue;
      cartella.passo();
      int e = ::fsync(aperti_[i]) == 0 ? 0 : errno;
      if (::close(aperti_[i]) != 0 && e == 0) e = errno;
      aperti_[i] = -1;
      if (e == 0) continue;
      indice = i;
      return e;
    }
    return 0;
  }

  // The renames take them over: nothing is deleted any more.
  void rilascia() {
    nomi_.clear();
    aperti_.clear();
  }

 private:
  int fd_;
  std::vector<std::string> nomi_;
  std::vector<int> aperti_;
};

// Writes all the bytes, one step per piece; EINTR is retried. With `avvia`,
// each piece is handed to the disk as soon as it is written, so that the
// disk works while the next pieces are copied and the flush at the end has
// little left to wait for.
int scrivi_tutto(cartella_uscita& cartella, int fd, std::string_view byte, bool avvia) {
  off_t scritti = 0;
  while (!byte.empty()) {
    cartella.passo();
    ssize_t n = ::write(fd, byte.data(), std::min(byte.size(), kPezzoScrittura));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // Only a hint: where it fails, the fsync that follows does the work.
    if (avvia) ::sync_file_range(fd, scritti, n, SYNC_FILE_RANGE_WRITE);
    scritti += n;
    byte.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// The errno of a chown that the process may not do, told apart from the
// others: the owner or group of the file replaced cannot be kept.
constexpr int kProprietarioNegato = -1;

// Gives the new file the owner, group and mode of the file it replaces:
// the owner first, since a change of owner clears the set-user-ID bit.
// Returns 0, kProprietarioNegato or errno.
int applica_proprieta(int fd, const proprieta_file& p) {
  struct stat st;
  if (::fstat(fd, &st) != 0) return errno;
  if (st.st_uid != p.uid || st.st_gid != p.gid) {
    if (::fchown(fd, p.uid, p.gid) != 0) return errno == EPERM ? kProprietarioNegato : errno;
  }
  if (::fchmod(fd, p.modo & 07777) != 0) return errno;
  return 0;
}

// Creates the file `nome` in the folder (never through a link, never over an
// existing file: EEXIST) and writes the bytes. With `proprieta`, the file is
// created with no more permission than the mode to keep and takes its owner,
// group and mode before a byte is written. A file to be flushed has its
// bytes handed to the disk as they go and is left open in `aperto` (for the
// flush); any other is closed, and `aperto` is -1. A file that fails after it
// was created is deleted. Returns 0, kProprietarioNegato or errno.
int scrivi_nuovo(cartella_uscita& cartella, const std::string& nome, std::string_view byte, bool da_flush,
                 const std::optional<proprieta_file>& proprieta, int& aperto) {
  aperto = -1;
  cartella.passo();
  const mode_t modo = proprieta ? static_cast<mode_t>(proprieta->modo & 0777) : 0644;
  int fd = ::openat(cartella.fd(), nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, modo);
  if (fd < 0) return errno;
  int e = proprieta ? applica_proprieta(fd, *proprieta) : 0;
  if (e == 0) e = scrivi_tutto(cartella, fd, byte, da_flush);
  if (e == 0 && da_flush) {
    aperto = fd;
    return 0;
  }
  if (::close(fd) != 0 && e == 0) e = errno;
  if (e != 0) ::unlinkat(cartella.fd(), nome.c_str(), 0);
  return e;
}

// The file's owner or group cannot be kept: nothing is changed.
esito_file proprietario_negato(const std::string& file, const proprieta_file& p) {
  return esito_file{false, file,
                    "owned by user " + std::to_string(p.uid) + " and group " + std::to_string(p.gid) +
                        ", which this user may not give a new file; left as it was"};
}

// Writes the file's bytes under a fresh temporary name, which goes into
// `fatti`, open when it is to be flushed. Returns 0 or errno.
int scrivi_temporaneo(cartella_uscita& cartella, const file_nuovo& f, temporanei& fatti) {
  for (int prova = 0; prova < 100; ++prova) {
    std::string t = nuovo_nome_temporaneo(f.nome);
    int aperto = -1;
    int e = scrivi_nuovo(cartella, t, f.byte, !f.transitorio, f.proprieta, aperto);
    if (e == EEXIST) continue;
    if (e == 0) fatti.aggiungi(std::move(t), aperto);
    return e;
  }
  return EEXIST;
}

// The inode of a file of the folder, not following a link; 0 when missing.
unsigned long long inode_in(const cartella_uscita& cartella, const std::string& nome) {
  struct stat st;
  if (::fstatat(cartella.fd(), nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return 0;
  return st.st_ino;
}

// The set record: for each file its temporary name, its name and the inode
// of the temporary file (in decimal), every one ended by a NUL byte, and one
// more NUL at the end, so that a record cut short is recognised. The inode
// ties the record to the files its run created.
std::string componi_registro(const cartella_uscita& cartella, const std::vector<std::string>& temp,
                             const std::vector<file_nuovo>& files) {
  std::string r;
  for (size_t i = 0; i < files.size(); ++i) {
    r += temp[i];
    r += '\0';
    r += files[i].nome;
    r += '\0';
    r += std::to_string(inode_in(cartella, temp[i]));
    r += '\0';
  }
  r += '\0';
  return r;
}

// A pair of the record: the temporary name, the name and the temporary
// file's inode.
struct rinomina {
  std::string da;
  std::string a;
  unsigned long long inode = 0;
};

// Flushes the folder, so that its renames reach the disk: 0 or errno. Some
// file systems cannot flush a folder (EINVAL); the renames stand.
int flush_cartella(const cartella_uscita& cartella) {
  if (::fsync(cartella.fd()) == 0 || errno == EINVAL) return 0;
  return errno;
}

// Renames every temporary file over its name, going on past a failure (a
// temporary file that cannot be renamed is deleted); flushes the folder.
// Returns the first failure.
esito_file completa(cartella_uscita& cartella, const std::vector<rinomina>& coppie) {
  esito_file esito;
  for (const rinomina& r : coppie) {
    cartella.passo();
    if (::renameat(cartella.fd(), r.da.c_str(), cartella.fd(), r.a.c_str()) == 0) continue;
    if (esito.ok) esito = fallito(cartella.in(r.a), errno);
    ::unlinkat(cartella.fd(), r.da.c_str(), 0);
  }
  cartella.passo();
  if (int e = flush_cartella(cartella); e != 0 && esito.ok) esito = fallito(cartella.cartella(), e);
  return esito;
}

// Renames the temporary files of a killed run's set over their names, going
// on past a failure; flushes the folder. A pair whose temporary file is gone
// was renamed before the kill. A temporary file that cannot be renamed is
// kept, so that the record can be completed later. Returns the first
// failure. The steps of a recovery are not counted, so that a test run killed
// at its first step has recovered first.
esito_file recupera(const cartella_uscita& cartella, const std::vector<rinomina>& coppie) {
  esito_file esito;
  for (const rinomina& r : coppie) {
    if (::renameat(cartella.fd(), r.da.c_str(), cartella.fd(), r.a.c_str()) == 0 || errno == ENOENT) continue;
    if (esito.ok) esito = fallito(cartella.in(r.a), errno);
  }
  if (int e = flush_cartella(cartella); e != 0 && esito.ok) esito = fallito(cartella.cartella(), e);
  return esito;
}

// An inode written in decimal; 0 when the field is not one.
unsigned long long leggi_inode(std::string_view campo) {
  if (campo.empty() || campo.size() > 19) return 0;
  unsigned long long v = 0;
  for (char c : campo) {
    if (c < '0' || c > '9') return 0;
    v = v * 10 + static_cast<unsigned long long>(c - '0');
  }
  return v;
}

// The pairs of a record; empty when it is cut short or names anything but
// a temporary file, a plain name of the folder and an inode.
std::vector<rinomina> leggi_registro(std::string_view r) {
  std::vector<rinomina> coppie;
  std::vector<std::string_view> campi;
  while (!r.empty()) {
    size_t fine = r.find('\0');
    if (fine == std::string_view::npos) return {};
    campi.push_back(r.substr(0, fine));
    r.remove_prefix(fine + 1);
  }
  if (campi.empty() || !campi.back().empty() || campi.size() % 3 != 1) return {};
  for (size_t i = 0; i + 2 < campi.size(); i += 3) {
    const unsigned long long inode = leggi_inode(campi[i + 2]);
    if (!nome_temporaneo(campi[i]) || !nome_semplice(campi[i + 1]) || inode == 0) return {};
    coppie.push_back({std::string(campi[i]), std::string(campi[i + 1]), inode});
  }
  return coppie;
}

// Why a record is not trusted, or empty when it may be: it must be a
// regular file of the running user that no other user may write.
std::string dubbio_registro(const struct stat& st) {
  if (S_ISLNK(st.st_mode)) return "a set record that is a symbolic link";
  if (S_ISDIR(st.st_mode)) return "a set record that is a folder";
  if (!S_ISREG(st.st_mode)) return "a set record that is " + perche_non_regolare(st.st_mode);
  if (st.st_uid != ::geteuid()) {
    return "a set record owned by user " + std::to_string(st.st_uid) + ", not by this user (" +
           std::to_string(::geteuid()) + ")";
  }
  if ((st.st_mode & S_IWOTH) != 0) return "a set record that every user may write";
  return "";
}

// Why a pair of a trusted record may not be renamed, or empty: its temporary
// file must be the user's regular file that the record was written for. A
// temporary file already gone was renamed before the kill.
std::string dubbio_coppia(const cartella_uscita& cartella, const rinomina& c) {
  struct stat st;
  if (::fstatat(cartella.fd(), c.da.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return "";
  if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_ino == c.inode) return "";
  return "a set record naming " + c.da + ", a file its run did not create";
}

// The record refused: its path, why, and how to clear it.
esito_file registro_rifiutato(const cartella_uscita& cartella, const std::string& perche) {
  const std::string file = cartella.in(kRegistroInsieme);
  return esito_file{false, file,
                    perche + "; not trusted, nothing renamed: look over the folder's files, then remove it (rm -r -- '" +
                        file + "') and run again"};
}

// The owner of the open folder, for the warning; "?" when unknown.
std::string proprietario_cartella(const cartella_uscita& cartella) {
  struct stat st;
  if (::fstat(cartella.fd(), &st) != 0) return "?";
  return std::to_string(st.st_uid);
}

// A record that may not be trusted is renamed out of the way (the name
// itself, never what a link points to), so that it blocks no later write,
// and the folder's owner is told where it went; nothing it names moves. When
// it cannot be renamed, it is refused as before.
esito_file metti_da_parte(cartella_uscita& cartella, const std::string& perche) {
  for (int prova = 0; prova < 100; ++prova) {
    std::string nuovo = nuovo_nome_temporaneo("sb-set");
    // ".sb-set.sbtmp-XXXXXX" would be swept as a temporary file: another mark.
    nuovo.replace(nuovo.find(kMarcaTemporanea), kMarcaTemporanea.size(), ".untrusted-");
    int r = ::renameat2(cartella.fd(), kRegistroInsieme, cartella.fd(), nuovo.c_str(), RENAME_NOREPLACE);
    // A file system without the flag: the random name is all but never taken.
    if (r != 0 && errno == EINVAL) r = ::renameat(cartella.fd(), kRegistroInsieme, cartella.fd(), nuovo.c_str());
    if (r == 0) {
      cartella.avvisa(cartella.in(kRegistroInsieme) + ": " + perche + "; not trusted, nothing renamed: set aside as " +
                      cartella.in(nuovo) + " for the folder's owner (user " + proprietario_cartella(cartella) +
                      ") to look over");
      return {};
    }
    if (errno != EEXIST) break;
  }
  return registro_rifiutato(cartella, perche);
}

// Completes the set of a record left by a killed run of this user, then
// deletes it. A record that may not be trusted is set aside, and no file is
// renamed. A record whose set cannot be completed is kept,
// with its temporary files, and the failure returned.
esito_file completa_registro(cartella_uscita& cartella) {
  struct stat st;
  if (::fstatat(cartella.fd(), kRegistroInsieme, &st, AT_SYMLINK_NOFOLLOW) != 0) return {};
  if (std::string d = dubbio_registro(st); !d.empty()) return metti_da_parte(cartella, d);
  int fd = ::openat(cartella.fd(), kRegistroInsieme, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return metti_da_parte(cartella, "a set record that cannot be opened");
  // The file opened must be the one looked at: nothing swapped in between.
  struct stat aperto;
  if (::fstat(fd, &aperto) != 0 || aperto.st_ino != st.st_ino || aperto.st_dev != st.st_dev ||
      !dubbio_registro(aperto).empty()) {
    ::close(fd);
    return metti_da_parte(cartella, "a set record that changed while it was read");
  }
  std::string r;
  char pezzo[4096];
  ssize_t n;
  while (r.size() < 65536 && (n = ::read(fd, pezzo, sizeof pezzo)) > 0) r.append(pezzo, static_cast<size_t>(n));
  ::close(fd);
  std::vector<rinomina> coppie = leggi_registro(r);
  for (const rinomina& c : coppie) {
    if (std::string d = dubbio_coppia(cartella, c); !d.empty()) return metti_da_parte(cartella, d);
  }
  if (!coppie.empty()) {
    if (esito_file e = recupera(cartella, coppie); !e.ok) return e;
  }
  ::unlinkat(cartella.fd(), kRegistroInsieme, 0);
  return {};
}

// Deletes every temporary file of this user in the folder (in a folder
// shared with other users, theirs are left to them).
void cancella_temporanei(const cartella_uscita& cartella) {
  int copia = ::fcntl(cartella.fd(), F_DUPFD_CLOEXEC, 0);
  if (copia < 0) return;
  DIR* d = ::fdopendir(copia);
  if (d == nullptr) {
    ::close(copia);
    return;
  }
  ::rewinddir(d);
  std::vector<std::string> trovati;
  while (struct dirent* voce = ::readdir(d)) {
    if (nome_temporaneo(voce->d_name)) trovati.emplace_back(voce->d_name);
  }
  ::closedir(d);
  for (const std::string& t : trovati) {
    struct stat st;
    if (::fstatat(cartella.fd(), t.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || st.st_uid != ::geteuid()) continue;
    ::unlinkat(cartella.fd(), t.c_str(), 0);
  }
}

}  // namespace

cartella_uscita::~cartella_uscita() {
  if (fd_ >= 0) ::close(fd_);
}

esito_file cartella_uscita::apri(const std::string& cartella) {
  cartella_ = cartella;
  fd_ = ::open(cartella.empty() ? "." : cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return fallito(cartella, errno);
  if (const char* n = std::getenv("SB_FAULT_KILL_AT_STEP")) passo_fatale_ = std::atol(n);
  return {};
}

std::string cartella_uscita::in(const std::string& nome) const {
  if (cartella_.empty()) return nome;
  if (cartella_.back() == '/') return cartella_ + nome;
  return cartella_ + "/" + nome;
}

void cartella_uscita::passo() {
  if (++passi_ == passo_fatale_) ::kill(::getpid(), SIGKILL);
}

bool nome_temporaneo(std::string_view nome) {
  const size_t coda = kMarcaTemporanea.size() + kLettereCasuali;
  if (nome.size() < 2 + coda || nome[0] != '.') return false;
  if (nome.substr(nome.size() - coda, kMarcaTemporanea.size()) != kMarcaTemporanea) return false;
  for (char c : nome.substr(nome.size() - kLettereCasuali)) {
    if (!alfanumerico(c)) return false;
  }
  return true;
}

esito_file sostituisci_insieme(cartella_uscita& cartella, const std::vector<file_nuovo>& files) {
  for (const file_nuovo& f : files) {
    struct stat st;
    if (!nome_semplice(f.nome)) return fallito(cartella.in(f.nome), EINVAL);
    // Only a regular file or a link is replaced: a folder, a device, a FIFO
    // or a socket at the name is refused and stays as it is.
    if (::fstatat(cartella.fd(), f.nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode) &&
        !S_ISLNK(st.st_mode)) {
      return esito_file{false, cartella.in(f.nome), perche_non_regolare(st.st_mode)};
    }
  }
  temporanei fatti(cartella.fd());
  for (const file_nuovo& f : files) {
    if (int s = segnale_arrivato()) return interrotto(cartella.cartella(), s);
    const int e = scrivi_temporaneo(cartella, f, fatti);
    if (e == kProprietarioNegato) return proprietario_negato(cartella.in(f.nome), *f.proprieta);
    if (e != 0) return fallito(cartella.in(f.nome), e);
  }
  // Flushed only once all are written: the disk has had every file's bytes
  // since they were written, and one journal commit can carry them all.
  size_t guasto = 0;
  if (int e = fatti.flush(cartella, guasto); e != 0) return fallito(cartella.in(files[guasto].nome), e);
  if (int s = segnale_arrivato()) return interrotto(cartella.cartella(), s);
  const bool con_registro = files.size() > 1;
  if (con_registro) {
    // The record is for a run killed during the renames, whose page cache
    // survives it: it is not flushed, which would cost one more disk flush
    // per set. Against a power cut the renames, issued back to back with no
    // flush between them, are committed together by a journaling file
    // system.
    int chiuso = -1;
    if (int e = scrivi_nuovo(cartella, kRegistroInsieme, componi_registro(cartella, fatti.nomi(), files), false,
                             std::nullopt, chiuso);
        e != 0) {
      return fallito(cartella.in(kRegistroInsieme), e);
    }
  }
  std::vector<rinomina> coppie;
  for (size_t i = 0; i < files.size(); ++i) coppie.push_back({fatti.nomi()[i], files[i].nome, 0});
  fatti.rilascia();
  esito_file esito = completa(cartella, coppie);
  if (con_registro) {
    cartella.passo();
    ::unlinkat(cartella.fd(), kRegistroInsieme, 0);
  }
  return esito;
}

esito_file ripulisci_cartella(cartella_uscita& cartella) {
  if (esito_file e = completa_registro(cartella); !e.ok) return e;
  cancella_temporanei(cartella);
  return {};
}

}  // namespace sb
