// The line's landmarks that the train sheet lists between the stations, read
// from the compiled cells: the indicator sign boards and the two ends of each
// montagna span.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/scenario_records.h"

namespace sb {

// One landmark of the line.
struct riferimento_linea_compilata {
  int64_t posizione = 0;    // metres: where its cell stands on the line
  int64_t progressiva = 0;  // metres, the chainage printed beside it
  std::string testo;        // what the sheet prints
  int voce_didascalia = 0;  // the caption's entry of a sign board; 0 for a span end
};

// A sign caption in words: its bracketed groups joined by one blank, blanks
// inside collapsed. A kilometre post, whose caption holds "km" (any case)
// and a kilometre K+MMM, reads "km K+MMM" and gives its kilometre in
// metres in progressiva; else progressiva is left as it was.
std::string testo_cartello(std::string_view didascalia, int64_t& progressiva);

// The sign boards and the span ends of the line, in route order. A sign
// stands at its cell's position, a span begins at its first cell and ends
// where its last cell does; spans that touch with the same kind read as one.
std::vector<riferimento_linea_compilata> riferimenti_compilati(const scenario& s);

}  // namespace sb
