// "scenario_tool decompile": a compiled scenario's binary files taken back to
// the two description texts, with the round trip checked.
#pragma once

#include <iosfwd>
#include <string>

#include "tools/command_line.h"

namespace sb {

// What the author asked for; empty names come from the object table file's.
struct opzioni_decompile {
  std::string tabella;  // --sim NAME_TRAIN.sim
  std::string celle;    // --cells NAME_TRAIN.dat
  std::string griglia;  // --plan NAME_linea.dat; empty: no plan
  std::string nome_linea;
  std::string numero_treno;
  std::string cartella_uscita;
  bool forza = false;  // --force: replace texts already in the directory
  attesa_blocco attesa = attesa_blocco::attendi;  // --no-wait: non_attendere
};

// Reads the files, writes NAME_linea.txt and NAME_TRAIN-.txt into the output
// directory (refusing, without force, texts that are already there), compiles them in memory and compares. Returns 0
// when the round trip gives the same bytes, 1 when not (each difference a warning on err), 4 when a file cannot be read
// or written or the files are damaged. Notes on what could not be taken back uniquely go to err, the two texts' paths
// and the outcome to out.
int esegui_decompile(const opzioni_decompile& o, std::ostream& out, std::ostream& err);

// The command table's entry of "decompile".
comando_strumento voce_decompile();

}  // namespace sb
