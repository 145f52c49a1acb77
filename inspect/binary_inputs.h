// The simulator's binary files of one scenario read back for a picture, each
// one optional.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "scenario/binary_decoders.h"
#include "scenario/scenario_records.h"

namespace sb {

// Reads one binary file's bytes into `byte` and decodes them with the decoder
// given. A failure goes to err with the path and the reason, or the byte
// where a damaged file goes wrong; the result is then false.
template <typename Record>
bool leggi_binario(const std::string& file, Record& r, std::string& byte,
                   esito_decodifica (*decodifica)(std::string_view, Record&), std::ostream& err) {
  if (esito_file e = leggi_file(file, byte); !e.ok) {
    err << e.messaggio() << "\n";
    return false;
  }
  if (esito_decodifica d = decodifica(byte, r); !d.ok) {
    err << file << ": " << d.messaggio() << "\n";
    return false;
  }
  return true;
}

// The records read; a file not given stays empty.
struct binari_scena {
  std::optional<griglia_linea> griglia;
  std::optional<tabella_oggetti> tabella;
  std::optional<celle_percorso> celle;
};

// Reads the files named (an empty name is a file not given). A file that
// cannot be read or is malformed is reported on err, with its path and the
// reason or the byte offset; so is a plan whose point count is not the one
// the object table's route length calls for, and cells whose count is not
// the one the route length (of the table, else of the plan) calls for. The
// result is then false.
bool leggi_binari(const std::string& griglia, const std::string& tabella, const std::string& celle,
                  binari_scena& out, std::ostream& err);

}  // namespace sb
