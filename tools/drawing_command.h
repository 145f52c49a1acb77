// What plan and view share: the scenario read from the descriptions (the one
// analysis of the texts, its findings on err and in the drawing) or from the
// binary files, drawn, and the drawing written to its one file.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "platform/folder_lock.h"
#include "scene/scene_model.h"
#include "tools/command_line.h"

namespace sb {

// Makes a drawing of a scene: the SVG picture or the HTML page.
using disegnatore = std::string (*)(const scena& s);

// What a drawing is made from and where it goes.
struct richiesta_disegno {
  std::string comando;  // "plan" or "view", for the messages
  file_scena fonti;     // the descriptions, or the binary files
  std::string uscita;   // the file; "-" standard output
  attesa_blocco attesa = attesa_blocco::attendi;
  disegnatore disegna = nullptr;
};

// Draws and writes; returns the exit status: from the descriptions the one
// compile gives (the drawing is written in every case); 2 when the drawing
// would go over an input; 4 when a file cannot be read, is malformed or the
// drawing cannot be written.
int esegui_disegno(const richiesta_disegno& r, std::ostream& out, std::ostream& err);

// Reads the command line of plan or view into a request: the sources, and
// the file after `opzione_uscita` (required). The status of a usage error
// told on err, else nothing.
std::optional<int> leggi_richiesta_disegno(const riga_comando& r, const std::string& comando,
                                           const std::string& opzione_uscita, const std::string& uso_uscita,
                                           richiesta_disegno& d, std::ostream& err);

}  // namespace sb
