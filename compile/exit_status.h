// Exit statuses of the builder and the tool.
#pragma once

namespace sb {

// What a finished program tells its caller.
enum stato_uscita : int {
  kUscitaPulita = 0,   // no fault recorded
  kUscitaCodice = 1,   // a validation code was recorded
  kUscitaUso = 2,      // the command line was not understood
  kUscitaGuardia = 3,  // a guard failed; no binary file written
  kUscitaFile = 4,     // a file could not be read or written
};

}  // namespace sb
