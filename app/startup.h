// Start-up of the builder: write the scenario's texts and documents, compile,
// and say how it went.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/compile_driver.h"
#include "compile/exit_status.h"
#include "platform/user_interface.h"
#include "scenario/scenario_records.h"

namespace sb {

// What --version prints.
inline constexpr const char* kVersioneBuilder = "scenario_builder 1.0";

// The builder takes no arguments. With none it returns nothing, and the build
// runs; --help and --version print to out and give status 0; anything else is
// a usage error on err with status 2. Either way, nothing is written to disk.
std::optional<int> riga_di_comando(const std::vector<std::string>& argomenti, std::ostream& out,
                                   std::ostream& err);

// Runs the whole program in the directory: identifiers, window, the five
// texts, the compile with the build flag 1, end. Returns the exit status;
// diagnostics go to err.
int avvio(const std::string& cartella, interfaccia_utente& ui, std::ostream& err);

// The exit status of a finished build, with its diagnostic written to err.
int esito_uscita(const esito_build& esito, const scenario& s, std::ostream& err);

}  // namespace sb
