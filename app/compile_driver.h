// The compile driver: clear, compile, pass, guard and stamp, write.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_set.h"
#include "platform/files.h"
#include "platform/user_interface.h"
#include "scenario/scenario_records.h"

namespace sb {

// How a build ended.
struct esito_build {
  enum class tipo {
    completata,   // ran to its end (codice_errore tells whether a fault was recorded)
    senza_celle,  // the line compile stopped before the route length: nothing written
    guardia,      // a guard failed: the box was shown, no binary file written
    errore_file,  // a file operation failed
  };
  tipo fine = tipo::completata;
  int32_t numero_guardia = 0;  // 1250 or 1251
  esito_file file;             // the failed operation
};

// Compiles the two description texts in the directory into the records
// (the compile in memory), deleting them: the line text always, the service
// text unless a line code ended the compile. Only a file operation that fails
// is returned; compile faults are codes.
esito_file memorizza_dati(scenario& s, const std::string& cartella);

// The builder's whole compile with the build flag: clears the records,
// compiles the texts in the folder, runs the signal aspect pass, guards and
// stamps (a failed guard shows the box), and replaces the line plan (when the
// flag is non-zero), the object table and the cells in the folder as one set:
// all three new files or none.
esito_build memorizza_percorso(scenario& s, int32_t flag_griglia, cartella_uscita& cartella,
                               interfaccia_utente& ui);

// The same in the directory of that path.
esito_build memorizza_percorso(scenario& s, int32_t flag_griglia, const std::string& cartella,
                               interfaccia_utente& ui);

}  // namespace sb
