// Files replaced as a set: every new file is written whole under a temporary
// name in its folder before the first one is renamed over its name, so a
// reader never finds a file of one build beside a file of another.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/files.h"

namespace sb {

// A folder that files are written into, held open so that every file is
// created, renamed and flushed relative to it even if its path changes.
class cartella_uscita {
 public:
  cartella_uscita() = default;
  ~cartella_uscita();
  cartella_uscita(const cartella_uscita&) = delete;
  cartella_uscita& operator=(const cartella_uscita&) = delete;

  // Opens the folder (which must exist).
  esito_file apri(const std::string& cartella);

  const std::string& cartella() const { return cartella_; }
  int fd() const { return fd_; }

  // The path of a file of the folder.
  std::string in(const std::string& nome) const;

  // What the opening of the folder set aside and the folder's owner should
  // look over (a planted set record), one message each.
  const std::vector<std::string>& avvisi() const { return avvisi_; }
  void avvisa(std::string messaggio) { avvisi_.push_back(std::move(messaggio)); }

  // Counts one step of a write. Test aid: when SB_FAULT_KILL_AT_STEP is N,
  // the process kills itself at the Nth step, as a power cut or a kill -9
  // would stop it there.
  void passo();

 private:
  std::string cartella_;
  int fd_ = -1;
  long passi_ = 0;
  long passo_fatale_ = 0;
  std::vector<std::string> avvisi_;
};

// The mode, owner and group a new file takes from the file it replaces.
struct proprieta_file {
  unsigned modo = 0644;  // permission bits, set-user-ID, set-group-ID and sticky included
  unsigned uid = 0;
  unsigned gid = 0;
};

// One file of a set: its name in the folder and its bytes.
struct file_nuovo {
  std::string nome;
  std::string_view byte;
  // A file the run reads back and deletes at once (the builder's description
  // texts): it is replaced like the others but not flushed to the disk,
  // which would only cost time.
  bool transitorio = false;
  // The mode and owner to keep (format rewriting an author's text); absent:
  // a new file of the running user, mode 0644 less the umask.
  std::optional<proprieta_file> proprieta = std::nullopt;
};

// Replaces the files of the set in the folder. A name where anything but a
// regular file or a link stands (a folder, a device, a FIFO, a socket) is
// refused with its kind, and nothing is written. Each is written under a
// temporary name (".NAME.sbtmp-XXXXXX", created anew, never through a link,
// mode 0644 less the umask, or with `proprieta` created with no more
// permission than the file it replaces, then given its owner, group and mode;
// an owner the process may not give is a failure that names it) and flushed (fsync); only when all are complete are they
// renamed over their names, and the folder is flushed. A failure or a signal
// (SIGINT, SIGTERM) before the renames removes the temporary files and leaves
// every old file as it was. A process killed during the renames leaves a
// record (written before them, not flushed) that the next run in the folder
// completes first (see ripulisci_cartella), so the set ends up whole.
esito_file sostituisci_insieme(cartella_uscita& cartella, const std::vector<file_nuovo>& files);

// Whether the name is one of the temporary names above.
bool nome_temporaneo(std::string_view nome);

// The set record of a run killed during its renames.
inline constexpr const char* kRegistroInsieme = ".sb-set";

// Done at the start of a run, under the folder's lock: completes the renames
// of a set that a killed run had begun, then deletes every temporary file of
// this user that a killed run left behind. The record is obeyed only when it
// is a regular file of the running user that no other user may write, and
// each temporary file it names is the user's regular file it was written
// for; otherwise nothing it names is renamed, and the record is set aside
// (renamed ".sb-set.untrusted-XXXXXX", never followed) with a warning in the
// folder's avvisi() for its owner, so that it blocks no later write; when it
// cannot be set aside, the failure names the record and how to clear it.
// When a trusted set cannot be completed, its record and every temporary file
// stay for a later run, and the failure is returned.
esito_file ripulisci_cartella(cartella_uscita& cartella);

}  // namespace sb
