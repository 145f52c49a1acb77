// "scenario_tool format": an author's description texts lined up in the
// builder's layout, in place; with --check only told.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tools/command_line.h"

namespace sb {

// Formats each file in place (one that needs no change is not rewritten),
// or with `verifica` writes nothing; either way names on out each file that
// changes. Returns 0; 1 with `verifica` when a file would change; 4 when a
// file cannot be read, written or is no text (told on err, the other files
// are still done); 130/143 when a signal stopped it (the later files are left
// as they were). Each file is rewritten through the one writer, under the lock
// of its folder (`attesa`), keeping its mode, owner, group and links.
int esegui_format(const std::vector<std::string>& file, bool verifica, attesa_blocco attesa, std::ostream& out,
                  std::ostream& err);

// The command table's entry of "format".
comando_strumento voce_format();

}  // namespace sb
