// "scenario_tool export": the built-in scenario's two description texts, as
// a starting point for an author.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/folder_lock.h"
#include "tools/command_line.h"

namespace sb {

// What the author asked for.
struct opzioni_export {
  std::string cartella = ".";
  bool forza = false;  // --force: texts already there are replaced
  attesa_blocco attesa = attesa_blocco::attendi;
};

// Writes BORVALE_linea.txt and BORVALE_40617-.txt into the directory
// (created when missing), byte for byte as the builder writes them, as one
// set. A text already there is kept, and nothing written, unless forza is
// set. Returns the exit status.
int esegui_export(const opzioni_export& o, std::ostream& out, std::ostream& err);

// The command table's entry of "export".
comando_strumento voce_export();

}  // namespace sb
