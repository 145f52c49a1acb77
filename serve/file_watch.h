// Saves of a few files seen as they happen: inotify on their folders (an
// editor may save by writing in place or by renaming a new file over the
// old), or, where inotify is missing, a look at each file's time, size and
// inode every tenth of a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace sb {

// How a file stood when last looked at, for polling.
struct impronta_file {
  bool esiste = false;
  int64_t modificato_ns = 0;
  int64_t dimensione = 0;
  uint64_t inode = 0;

  bool operator==(const impronta_file&) const = default;
};

// The files watched and how.
struct osservatore_file {
  std::vector<std::string> file;
  std::vector<impronta_file> impronte;  // polling: how each stood
  int fd = -1;                          // inotify; -1: polling
  std::vector<int> cartelle;            // the folders' watch descriptors, one a file
  std::vector<std::string> nomi;        // each file's name in its folder

  osservatore_file() = default;
  osservatore_file(const osservatore_file&) = delete;
  osservatore_file& operator=(const osservatore_file&) = delete;
  ~osservatore_file();
};

// How a file stands now.
impronta_file impronta_di(const std::string& file);

// Starts watching the files: inotify unless asked to poll or it cannot be had.
void osserva(osservatore_file& o, const std::vector<std::string>& file, bool polling);

// Waits up to the duration for a save of any of the files; true when one
// was seen. Events that follow within a few milliseconds (one save written
// in pieces, or both texts saved at once) are taken with it.
bool attendi_salvataggio(osservatore_file& o, std::chrono::milliseconds attesa);

}  // namespace sb
