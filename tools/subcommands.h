// The tool's subcommands, their help texts and the dispatch from the command
// line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sb {

// The tool's version, shown by --version.
inline constexpr const char* kVersioneStrumento = "scenario_tool 1.0";

// Runs the tool with the arguments after the program name; returns the exit
// status. Help goes to out, messages to err; diagnostics are coloured when
// colore is set. "--version" after any subcommand shows the version.
int esegui_strumento(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err,
                     bool colore = false);

}  // namespace sb
