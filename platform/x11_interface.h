// The waiting window and the message box drawn on an X display.
#pragma once

#include <memory>
#include <string>

#include "platform/user_interface.h"

namespace sb {

// The interface on the default display, or null when DISPLAY is unset or
// empty, the X11 or Xft library is missing, or the display cannot be opened
// (or the program was built without the X11 headers). The libraries are
// opened only once DISPLAY is seen, and closed again when no window is shown.
std::unique_ptr<interfaccia_utente> interfaccia_x11(const std::string& titolo);

}  // namespace sb
