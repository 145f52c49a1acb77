// The live program: scenario_tool_live, beside scenario_tool, holds the two
// commands that link the web server (serve, lsp), so that every other
// command starts without loading the server's libraries.
#pragma once

#include <iosfwd>
#include <string_view>

namespace sb {

// The live program's file name, in the folder of scenario_tool.
inline constexpr const char* kProgrammaVivo = "scenario_tool_live";

// Whether the command runs in the live program.
bool comando_vivo(std::string_view comando);

// Replaces this process with the live program, given the same arguments;
// returns only when it cannot be run, with the file status, having told why.
int passa_al_programma_vivo(char** argv, std::ostream& err);

}  // namespace sb
