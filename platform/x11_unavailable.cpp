// Built in place of the X11 interface where the X11 libraries are missing.
#include "platform/x11_interface.h"

namespace sb {

std::unique_ptr<interfaccia_utente> interfaccia_x11(const std::string& /*titolo*/) { return nullptr; }

}  // namespace sb
