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

// The same table with the two commands that hold a web server (serve, and lsp
// for its live page) as given: scenario_tool lists them and hands them to the
// program beside it that links the server (live_program.h).
std::vector<comando_strumento> tabella_con(comando_strumento serve, comando_strumento lsp);

// Runs the arguments after the program name over a table of commands.
int esegui_con_tabella(const std::vector<comando_strumento>& comandi, const std::vector<std::string>& argomenti,
                       std::ostream& out, std::ostream& err, bool colore);

// Runs the tool with the arguments after the program name; returns the exit
// status. Help goes to out, messages to err; diagnostics are coloured when
// colore is set. "--version" after any command shows the version.
int esegui_strumento(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err,
                     bool colore = false);

}  // namespace sb
