// The one writer of every command that writes (the builder, compile,
// documents, decompile, export, format, plan, view, timing): from the first
// check to the last rename it holds SIGINT and SIGTERM for its safe points,
// creates the output folder the same way, refuses a link planted in a shared
// folder, takes the folder's lock, refuses to write over one of the run's
// inputs or, when asked, over a text already there, replaces its files as
// sets, writes "-" to standard output, and maps every failure to the exit
// status.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_set.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/same_file.h"
#include "platform/signals.h"

namespace sb {

// The path that stands for standard output.
inline constexpr std::string_view kUscitaStandard = "-";

// What a run writes and what it must never write over.
struct richiesta_scrittura {
  std::string programma = "scenario_tool";
  std::string comando;                // "compile"; for the usage error
  std::string cartella;               // the output folder, created when missing ("": the current one)
  std::vector<std::string> nomi;      // the names the run may write in it
  std::vector<std::string> ingressi;  // the files the run reads: never written over
  attesa_blocco attesa = attesa_blocco::attendi;  // --no-wait: non_attendere
  bool tieni_esistenti = false;       // refuse when one of the names already stands there
  bool standard = false;              // the one output is standard output ("-")
  bool crea_cartella = true;          // create a missing folder (the builder writes only into its own)
};

// The request of a command that writes one file (a picture, a page, a
// formatted text): its folder and name, or standard output for "-".
richiesta_scrittura richiesta_file(const std::string& comando, const std::string& file,
                                   std::vector<std::string> ingressi, attesa_blocco attesa);

// One run's writing. Made at the start of the run: the signals are held from
// then until it goes.
class scrittura {
 public:
  scrittura(richiesta_scrittura r, std::ostream& err);
  scrittura(const scrittura&) = delete;
  scrittura& operator=(const scrittura&) = delete;

  // kUscitaUso with "PROGRAM COMMAND: the output OUT is the input IN;
  // nothing written" on err when an output is one of the inputs (whatever
  // the spelling or link), else 0. Called before any work.
  int controlla_ingressi() const;

  // Refuses a planted link on the folder's path and creates the folder when
  // missing (a link to a missing folder is said to be one, never created
  // through). Done again by apri; a command calls it first to fail before
  // its work.
  esito_file prepara_cartella() const;

  // Creates the folder when missing (a link to a missing folder is said to
  // be one, never created through), refuses a planted link on its path,
  // opens it and takes its lock ("PROGRAM: waiting for another run writing in
  // DIR" on err after a second), clears what a killed run left there (what it
  // set aside told on err as warnings) and, with tieni_esistenti, refuses
  // every name that already stands there.
  esito_file apri();

  // Replaces the files in the open folder as one set.
  esito_file sostituisci(const std::vector<file_nuovo>& files);

  // The folder, open once apri succeeded.
  cartella_uscita& cartella() { return cartella_; }

  // The status of a failed step, told on err: 4, or 130/143 after a signal;
  // 0 for a step that succeeded.
  int stato(const esito_file& e) const;

  // The status at the end of a run that wrote: `stato`, or 130/143 (told on
  // err) when a signal came after the last file was written.
  int fine(int stato) const;

  // The whole write of a one-file command: the bytes to standard output
  // for "-", else apri and sostituisci with the one name; the exit status.
  int scrivi_unico(std::string_view byte, std::ostream& out);

 private:
  segnali_di_build segnali_;
  richiesta_scrittura r_;
  std::ostream& err_;
  cartella_uscita cartella_;
};

// Rewrites an existing file in place with the bytes (format), through the
// one writer: a link is followed to the file it points at (refused when
// planted in a shared folder) and stays a link; the new file keeps the old
// one's mode, owner and group (refused, the file left as it was, where the
// process may not give them) and its temporary file is never more readable
// than the old file; a file with other hard links is refused, since a new
// file would part it from them; bytes over the read limit are refused before
// anything is written. Returns the exit status, the failure told on err.
int riscrivi_sul_posto(const std::string& comando, const std::string& file, std::string_view byte,
                       attesa_blocco attesa, std::ostream& err);

// Writes texts that stand alone (a scenario to start from) as one set into
// the request's folder, its names taken from the files; then prints on out
// the lines `detto` and each file's path. The run's exit status.
int scrivi_testi_nuovi(richiesta_scrittura r, const std::vector<file_nuovo>& files,
                       const std::vector<std::string>& detto, std::ostream& out, std::ostream& err);

}  // namespace sb
