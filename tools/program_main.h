// What both programs of the tool do in main: the arguments run over a table
// of commands, the colour chosen, standard output flushed, memory running
// out told.
#pragma once

#include <vector>

#include "tools/command_line.h"

namespace sb {

// Runs argv over the table that `tabella` makes; returns the exit status.
int esegui_principale(int argc, char** argv, std::vector<comando_strumento> (*tabella)());

}  // namespace sb
