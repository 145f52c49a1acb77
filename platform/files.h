// The file operations the build needs, each reporting the path and the
// system's reason when it fails.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sb {

// Outcome of a file operation: ok, or the path and the system's reason.
struct [[nodiscard]] esito_file {
  bool ok = true;
  std::string file;
  std::string motivo;
  int segnale = 0;  // SIGINT or SIGTERM when a signal stopped the operation

  // "PATH: REASON", for a diagnostic.
  std::string messaggio() const { return file + ": " + motivo; }
};

// The largest file that is read whole: 64 MiB. The largest line plan the
// compiler writes is about 20 MB.
inline constexpr size_t kMassimoByteLettura = size_t{64} << 20;

// A failed outcome for path, with the reason of errno.
esito_file fallito(const std::string& file, int numero_errno);

// A failed outcome for path: the signal stopped the work there, and the
// temporary files were removed.
esito_file interrotto(const std::string& file, int segnale);

// A path's folder and name: "a/b.txt" gives "a" and "b.txt", "/b.txt" gives
// "/" and "b.txt", "b.txt" gives "" (the current folder) and "b.txt".
struct file_diviso {
  std::string cartella;
  std::string nome;
};
file_diviso dividi_file(const std::string& file);

// Why a file of the mode given is not read or replaced ("not a regular file
// (a FIFO)"; a folder gives the system's "Is a directory").
std::string perche_non_regolare(unsigned modo);

// Whether a file (or anything) exists under the path.
bool file_esiste(const std::string& file);

// Reads the whole file as bytes. Only a regular file is read (a FIFO or a
// device is refused without waiting on it), and only up to the limit: a
// larger file is refused before anything is allocated. Running out of memory
// is a failure like any other.
esito_file leggi_file(const std::string& file, std::string& contenuto,
                      size_t limite = kMassimoByteLettura);

// Deletes the file; a missing file is an error.
esito_file cancella_file(const std::string& file);

// Deletes the file when it exists.
esito_file cancella_se_esiste(const std::string& file);

}  // namespace sb
