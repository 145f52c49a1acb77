// The small scenario that "scenario_tool new" writes for an author to start
// from: a 6 km line with each kind of row once or twice, and a run of one
// train over it, every row with a remark above it saying what it is and where
// the docs tell more.
#pragma once

#include <string>

namespace sb {

// The two description texts, code page 1252 with CR LF line ends.
struct testi_nuovi {
  std::string linea;
  std::string servizio;
};

// The texts for the line NAME and the train NUMBER (both plain names).
testi_nuovi scenario_nuovo(const std::string& nome, const std::string& treno);

}  // namespace sb
