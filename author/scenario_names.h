// The line name and train number of an author's compile, so that a compile
// never writes the built-in scenario's file names by surprise.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sb {

// The two identifiers of a compile.
struct nomi_scenario {
  std::string linea;
  std::string treno;
};

// NAME of a path ending in "NAME_linea.txt", or empty.
std::string_view linea_da_file(std::string_view file);

// NAME and TRAIN of a path ending in "NAME_TRAIN-.txt" (split at the last
// "_"), or empty names.
nomi_scenario nomi_da_servizio(std::string_view file);

// The names given on the command line (when given), else those the file
// names carry ("VALTORTA_linea.txt" gives the line VALTORTA,
// "VALTORTA_123-.txt" the line VALTORTA and the train 123; the line file's
// name wins for the line), else BORVALE and 40617.
nomi_scenario scegli_nomi(const std::optional<std::string>& linea_data, const std::optional<std::string>& treno_dato,
                          const std::string& file_linea, const std::string& file_servizio);

}  // namespace sb
