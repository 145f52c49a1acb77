// The entries of the two commands that hold a web server, "serve" and "lsp"
// (its live page): their names, help and options, without their runs, so
// that scenario_tool can list them and check nothing else links the server.
#pragma once

#include <vector>

#include "tools/command_line.h"

namespace sb {

// "serve" as the table lists it; no run.
comando_strumento voce_serve_descritta();

// "lsp" as the table lists it; no run.
comando_strumento voce_lsp_descritta();

// The tool's table with those two entries: scenario_tool hands them to the
// live program (live_program.h) before it looks in the table.
std::vector<comando_strumento> tabella_descritta();

}  // namespace sb
