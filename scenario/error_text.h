// The text of the guard's error box, shared by the builder's box and the
// tool's report.
#pragma once

#include <string>

namespace sb {

// " Errore n. " followed by the number's text.
std::string testo_errore(const std::string& a);

}  // namespace sb
