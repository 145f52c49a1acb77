// The file operations the build needs, each reporting the path and the
// system's reason when it fails.
#pragma once

#include <string>
#include <string_view>

namespace sb {

// Outcome of a file operation: ok, or the path and the system's reason.
struct esito_file {
  bool ok = true;
  std::string percorso;
  std::string motivo;

  // "PATH: REASON", for a diagnostic.
  std::string messaggio() const { return percorso + ": " + motivo; }
};

// A failed outcome for path, with the reason of errno.
esito_file fallito(const std::string& percorso, int numero_errno);

// Whether a file (or anything) exists under the path.
bool file_esiste(const std::string& percorso);

// Reads the whole file as bytes.
esito_file leggi_file(const std::string& percorso, std::string& contenuto);

// Deletes the file; a missing file is an error.
esito_file cancella_file(const std::string& percorso);

// Deletes the file when it exists.
esito_file cancella_se_esiste(const std::string& percorso);

// Replaces the file with the bytes: creates it, closes it, deletes it, creates
// it anew and writes everything in one go, so nothing of an older file stays.
// A write that fails (a full disk) leaves no file behind.
esito_file sostituisci_file(const std::string& percorso, std::string_view byte);

}  // namespace sb
