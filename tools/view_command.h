// "scenario_tool view": the whole scenario in one interactive HTML page,
// from the description texts (compiled in memory) or from the binary files.
#pragma once

#include <iosfwd>
#include <string>

#include "tools/command_line.h"

namespace sb {

// What the page is made from and where it goes. Texts and binary files are
// not mixed.
struct opzioni_view {
  std::string linea;     // the line description
  std::string servizio;  // the service description
  std::string nome_linea = "BORVALE";
  std::string numero_treno = "40617";
  std::string griglia;  // NAME_linea.dat
  std::string tabella;  // NAME_TRAIN.sim
  std::string celle;    // NAME_TRAIN.dat
  std::string html;     // output
  attesa_blocco attesa = attesa_blocco::attendi;  // --no-wait: non_attendere

  bool da_testi() const { return !linea.empty() || !servizio.empty(); }
};

// Writes the page; returns the exit status. From texts it is the status the
// compile gives (1 when a code was recorded, 3 for a guard failure), the page
// being written in every case; 4 when a file cannot be read or written. A
// page path "-" is standard output.
int esegui_view(const opzioni_view& o, std::ostream& out, std::ostream& err);

// The command table's entry of "view".
comando_strumento voce_view();

}  // namespace sb
