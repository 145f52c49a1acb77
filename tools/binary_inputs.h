// The simulator's binary files of one scenario read back for a picture, each
// one optional.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "scenario/scenario_records.h"
#include "tools/scene_model.h"

namespace sb {

// The records read; a file not given stays empty.
struct binari_scena {
  std::optional<griglia_linea> griglia;
  std::optional<tabella_oggetti> tabella;
  std::optional<celle_percorso> celle;

  // The records as the sources of a scene.
  fonti_scena fonti() const;
};

// Reads the files named (an empty name is a file not given). A file that
// cannot be read or is malformed is reported on err, with its path and the
// reason or the byte offset; so is a plan whose point count is not the one
// the object table's route length calls for. The result is then false.
bool leggi_binari(const std::string& griglia, const std::string& tabella, const std::string& celle,
                  binari_scena& out, std::ostream& err);

}  // namespace sb
