#include "scenario/error_text.h"

namespace sb {

std::string testo_errore(const std::string& a) { return " Errore n. " + a; }

}  // namespace sb
