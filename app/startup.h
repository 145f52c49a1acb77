// Start-up of the builder: write the scenario's texts and documents, compile,
// and say how it went.
#pragma once

#include <iosfwd>
#include <string>

#include "app/compile_driver.h"
#include "platform/user_interface.h"
#include "scenario/scenario_records.h"

namespace sb {

// The scenario this program carries.
inline constexpr const char* kNomeLinea = "BORVALE";
inline constexpr const char* kNumeroTreno = "40617";

// Exit statuses of the builder and the tool.
enum stato_uscita : int {
  kUscitaPulita = 0,      // no fault recorded
  kUscitaCodice = 1,      // a validation code was recorded
  kUscitaUso = 2,         // the command line was not understood (tool only)
  kUscitaGuardia = 3,     // a guard failed; no binary file written
  kUscitaFile = 4,        // a file could not be read or written
};

// Runs the whole program in the directory: identifiers, window, the five
// texts, the compile with the build flag 1, end. Returns the exit status;
// diagnostics go to err.
int avvio(const std::string& cartella, interfaccia_utente& ui, std::ostream& err);

// The exit status of a finished build, with its diagnostic written to err.
int esito_uscita(const esito_build& esito, const scenario& s, std::ostream& err);

}  // namespace sb
