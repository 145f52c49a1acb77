#include "platform/user_interface.h"
#include "platform/x11_interface.h"

namespace sb {

std::unique_ptr<interfaccia_utente> interfaccia_di_sistema(const std::string& titolo,
                                                           std::ostream& out, std::ostream& err) {
  if (std::unique_ptr<interfaccia_utente> finestra = interfaccia_x11(titolo)) return finestra;
  return interfaccia_console(out, err);
}

}  // namespace sb
