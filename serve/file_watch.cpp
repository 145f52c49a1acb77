#include "serve/file_watch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

namespace sb {
namespace {

constexpr auto kPassoPolling = std::chrono::milliseconds(100);
// Quiet after an event before the save counts as done.
constexpr int kQuieteMs = 15;

std::string cartella_di(const std::string& file) {
  const size_t barra = file.find_last_of('/');
  if (barra == std::string::npos) return ".";
  return barra == 0 ? "/" : file.substr(0, barra);
}

std::string nome_di(const std::string& file) {
  const size_t barra = file.find_last_of('/');
  return barra == std::string::npos ? file : file.substr(barra + 1);
}

// Reads the pending inotify events; true when one names a watched file.
bool leggi_eventi(const osservatore_file& o) {
  alignas(inotify_event) char buffer[16384];
  bool nostro = false;
  for (;;) {
    const ssize_t n = read(o.fd, buffer, sizeof buffer);
    if (n <= 0) return nostro;
    for (ssize_t da = 0; da < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buffer + da);
      for (size_t k = 0; k < o.nomi.size(); ++k) {
        if (e->wd == o.cartelle[k] && e->len > 0 && o.nomi[k] == e->name) nostro = true;
      }
      da += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
  }
}

// Whether the fd has something to read within the milliseconds.
bool pronto(int fd, int millisecondi) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, millisecondi) > 0 && (p.revents & POLLIN) != 0;
}

bool attendi_inotify(osservatore_file& o, std::chrono::milliseconds attesa) {
  const auto fine = std::chrono::steady_clock::now() + attesa;
  for (;;) {
    const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
    if (resta.count() <= 0 || !pronto(o.fd, static_cast<int>(resta.count()))) return false;
    if (!leggi_eventi(o)) continue;
    while (pronto(o.fd, kQuieteMs)) leggi_eventi(o);
    return true;
  }
}

// Whether any file stands otherwise than last seen; takes how they stand now.
bool cambiati(osservatore_file& o) {
  bool diverso = false;
  for (size_t k = 0; k < o.file.size(); ++k) {
    const impronta_file ora = impronta_di(o.file[k]);
    if (!(ora == o.impronte[k])) diverso = true;
    o.impronte[k] = ora;
  }
  return diverso;
}

bool attendi_polling(osservatore_file& o, std::chrono::milliseconds attesa) {
  const auto fine = std::chrono::steady_clock::now() + attesa;
  while (std::chrono::steady_clock::now() < fine) {
    std::this_thread::sleep_for(kPassoPolling);
    if (!cambiati(o)) continue;
    // A save written in pieces: wait until the files keep still.
    do std::this_thread::sleep_for(std::chrono::milliseconds(kQuieteMs));
    while (cambiati(o));
    return true;
  }
  return false;
}

}  // namespace

osservatore_file::~osservatore_file() {
  if (fd >= 0) close(fd);
}

impronta_file impronta_di(const std::string& file) {
  struct stat st{};
  impronta_file i;
  if (stat(file.c_str(), &st) != 0) return i;
  i.esiste = true;
  i.modificato_ns = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  i.dimensione = st.st_size;
  i.inode = st.st_ino;
  return i;
}

void osserva(osservatore_file& o, const std::vector<std::string>& file, bool polling) {
  o.file = file;
  o.impronte.clear();
  for (const std::string& f : file) o.impronte.push_back(impronta_di(f));
  if (polling) return;
  o.fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (o.fd < 0) return;
  constexpr uint32_t kEventi = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB;
  for (const std::string& f : file) {
    const int wd = inotify_add_watch(o.fd, cartella_di(f).c_str(), kEventi);
    if (wd < 0) {
      // A folder that cannot be watched: every file is polled.
      close(o.fd);
      o.fd = -1;
      o.cartelle.clear();
      o.nomi.clear();
      return;
    }
    o.cartelle.push_back(wd);
    o.nomi.push_back(nome_di(f));
  }
}

bool attendi_salvataggio(osservatore_file& o, std::chrono::milliseconds attesa) {
  return o.fd >= 0 ? attendi_inotify(o, attesa) : attendi_polling(o, attesa);
}

}  // namespace sb
