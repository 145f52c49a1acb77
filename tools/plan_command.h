// "scenario_tool plan": reads the binary files and writes the SVG picture.
#pragma once

#include <iosfwd>
#include <string>

#include "platform/folder_lock.h"
#include "tools/command_line.h"

namespace sb {

// The files the picture is drawn from, the binary files (each optional, at
// least one given) or the descriptions, and where it goes.
struct opzioni_plan {
  std::string griglia;  // NAME_linea.dat: the map
  std::string tabella;  // NAME_TRAIN.sim: stations, names, route length
  std::string celle;    // NAME_TRAIN.dat: items and profiles
  std::string svg;      // output
  attesa_blocco attesa = attesa_blocco::attendi;
  std::string linea;     // the line description
  std::string servizio;  // the service description
  std::string nome_linea = "BORVALE";
  std::string numero_treno = "40617";

  bool da_testi() const { return !linea.empty() || !servizio.empty(); }
};

// Draws the picture and replaces the SVG file with it, under the lock of its
// folder. Returns the exit status: from the descriptions the one compile
// gives (the picture is written in every case, the compile's errors marked
// where they point); 4 when a file cannot be read, is malformed or the
// picture cannot be written. An SVG path "-" is standard output.
int esegui_plan(const opzioni_plan& o, std::ostream& out, std::ostream& err);

// The command table's entry of "plan".
comando_strumento voce_plan();

}  // namespace sb
