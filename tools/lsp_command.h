// "scenario_tool lsp": the language server an editor starts, speaking the
// protocol over standard input and output.
#pragma once

#include "tools/command_line.h"

namespace sb {

// The command table's entry of "lsp".
comando_strumento voce_lsp();

}  // namespace sb
