// Exit statuses of the builder and the tool, and the one mapping of a file
// failure to its status.
#pragma once

#include <ostream>
#include <string>

#include "platform/files.h"
#include "platform/signals.h"

namespace sb {

// What a finished program tells its caller.
enum stato_uscita : int {
  kUscitaPulita = 0,   // no fault recorded
  kUscitaCodice = 1,   // a validation code was recorded
  kUscitaUso = 2,      // the command line was not understood
  kUscitaGuardia = 3,  // a guard failed; no binary file written
  kUscitaFile = 4,     // a file could not be read or written
};

// Writes "PATH: REASON" of a failed file operation to err and returns its
// exit status: kUscitaFile, or 130/143 when SIGINT or SIGTERM stopped it.
inline int uscita_file(const esito_file& e, std::ostream& err) {
  err << e.messaggio() << "\n";
  return e.segnale != 0 ? stato_per_segnale(e.segnale) : kUscitaFile;
}

// At the end of a run that wrote into the folder: when SIGINT or SIGTERM came
// after its last file was replaced, says so on err and returns 130 or 143;
// otherwise returns `stato` unchanged.
inline int stato_finale(int stato, const std::string& cartella, std::ostream& err) {
  const int segnale = segnale_arrivato();
  if (segnale == 0) return stato;
  err << cartella << ": interrupted by " << nome_segnale(segnale) << " after the last file was written\n";
  return stato_per_segnale(segnale);
}

}  // namespace sb
