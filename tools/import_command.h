// "scenario_tool import osm": a real line from an OpenStreetMap file, written
// as a line description and a service description that compile clean.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "osm_import/import_osm.h"
#include "platform/folder_lock.h"
#include "tools/command_line.h"

namespace sb {

// What the author asked for.
struct opzioni_import {
  richiesta_import_osm richiesta;
  std::string cartella;
  bool forza = false;  // --force: texts already there are replaced
  attesa_blocco attesa = attesa_blocco::attendi;
};

// The line name an import takes from its first place when none is given:
// its letters and digits in capitals, accents taken off, the rest as "-".
std::string nome_linea_da_luogo(const std::string& luogo);

// Imports and writes NAME_linea.txt and NAME_TRAIN-.txt into the folder as
// one set; tells the route, the stations, every default and the plan's
// departure on out. Nothing is written on an error. Returns the exit status.
int esegui_import(const opzioni_import& o, std::ostream& out, std::ostream& err);

// The command table's entry of "import".
comando_strumento voce_import();

}  // namespace sb
