#include "tools/single_output.h"

namespace sb {

int scrivi_uscita(const std::string& file, std::string_view byte, attesa_blocco attesa, std::ostream& out,
                  std::ostream& err) {
  scrittura w(richiesta_file("", file, {}, attesa), err);
  return w.scrivi_unico(byte, out);
}

}  // namespace sb
