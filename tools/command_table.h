// The tool's commands in one table, and the dispatch from the command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tools/command_line.h"

namespace sb {

// The tool's version, shown by --version.
inline constexpr const char* kVersioneStrumento = "scenario_tool 1.0";

// Every command of the tool, in the order the general help lists them.
std::vector<comando_strumento> tabella_comandi();

// Runs the tool with the arguments after the program name; returns the exit
// status. Help goes to out, messages to err; diagnostics are coloured when
// colore is set. "--version" after any command shows the version.
int esegui_strumento(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err,
                     bool colore = false);

}  // namespace sb
