// For tests: an output stream that drops everything written to it.
#pragma once

#include <ostream>

namespace sb::prova {

// Where a test sends output it does not look at.
class scarto : public std::ostream {
 public:
  scarto() : std::ostream(nullptr) {}
};

}  // namespace sb::prova
