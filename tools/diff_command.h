// "scenario_tool diff": what changed between two versions of a scenario, in
// the author's terms; also git's external diff driver.
#pragma once

#include <iosfwd>
#include <string>

#include "tools/command_line.h"

namespace sb {

// One side of a diff: a pair of texts, a compiled set, or nothing at all (a
// file git says is new or deleted).
struct lato_diff {
  std::string linea;     // texts
  std::string servizio;
  std::string tabella;   // binary files
  std::string celle;
  std::string griglia;
  std::string nome_linea;    // the names the texts compile with; empty: from the file names
  std::string numero_treno;
  bool vuoto = false;  // no scenario on this side: everything on the other was added or removed

  bool testi() const { return !linea.empty() || !servizio.empty(); }
};

// Compares the two sides and prints the changes on out (JSON when asked).
// Returns 0 the same, 1 different, 2 a side that cannot be read.
int esegui_diff(const lato_diff& vecchio, const lato_diff& nuovo, bool json, std::ostream& out, std::ostream& err);

// The sides git gives an external diff driver: the path in the repository,
// then the old file, its hash and mode, the new file, its hash and mode. The
// other files of the scenario are taken from the folder of the path, in the
// working tree, for both sides. False when the path names no scenario file.
bool lati_da_git(const std::string& file, const std::string& vecchio, const std::string& nuovo, lato_diff& v,
                 lato_diff& n);

// The command table's entry of "diff".
comando_strumento voce_diff();

}  // namespace sb
