// The waiting window and the message box drawn on an X display.
#pragma once

#include <memory>
#include <string>

#include "platform/user_interface.h"

namespace sb {

// The interface on the default display, or null when it cannot be opened
// (or the program was built without X11).
std::unique_ptr<interfaccia_utente> interfaccia_x11(const std::string& titolo);

}  // namespace sb
