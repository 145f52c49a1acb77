// "scenario_tool export": the built-in scenario's two description texts, as
// a starting point for an author.
#pragma once

#include <iosfwd>
#include <string>

namespace sb {

// Writes BORVALE_linea.txt and BORVALE_40617-.txt into the directory
// (created when missing), byte for byte as the builder writes them. Returns
// the exit status.
int esegui_export(const std::string& cartella, std::ostream& out, std::ostream& err);

}  // namespace sb
