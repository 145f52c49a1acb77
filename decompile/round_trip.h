// The round-trip check: the records of the files given against those that
// the recovered texts compile to, difference by difference.
#pragma once

#include <string>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// One difference: the file it lies in and what differs where.
struct differenza {
  std::string file;   // the file's name, e.g. BORVALE_40617.dat
  std::string testo;  // "cell 412 (at 20550 m): tipo 1 in the input, 0 after the round trip"
};

// At most this many differences are listed per file; one more line counts the rest.
inline constexpr size_t kMassimoDifferenze = 50;

// The cells that differ, one difference per cell naming each field.
std::vector<differenza> differenze_celle(const std::string& file, const celle_percorso& attese,
                                         const celle_percorso& ottenute);

// The object entries that differ, one difference per entry naming each field.
std::vector<differenza> differenze_tabella(const std::string& file, const tabella_oggetti& attesa,
                                           const tabella_oggetti& ottenuta);

// The plan points that differ, as runs of metres.
std::vector<differenza> differenze_griglia(const std::string& file, const griglia_linea& attesa,
                                           const griglia_linea& ottenuta);

}  // namespace sb
