// "scenario_tool new": a small commented scenario of the author's own name,
// to start from.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/folder_lock.h"
#include "tools/command_line.h"

namespace sb {

// What the author asked for.
struct opzioni_new {
  std::string nome;          // the line's name, NAME of NAME_linea.txt
  std::string treno = "1";   // --train: the train's number
  std::string cartella;      // --out
  bool forza = false;        // --force: texts already there are replaced
  attesa_blocco attesa = attesa_blocco::attendi;
};

// Writes NAME_linea.txt and NAME_NUMBER-.txt into the directory (created
// when missing), as one set. A text already there is kept, and nothing
// written, unless forza is set. Returns the exit status.
int esegui_new(const opzioni_new& o, std::ostream& out, std::ostream& err);

// The command table's entry of "new".
comando_strumento voce_new();

}  // namespace sb
