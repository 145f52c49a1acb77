// The fatal report of a build: an error number in a message box.
#pragma once

#include <string>

#include "platform/user_interface.h"
#include "scenario/error_text.h"

namespace sb {

// Shows " Errore n. " and the number in the message box and waits for it to
// be closed. The caller then ends the program without another step.
void errore(const std::string& a, interfaccia_utente& ui);

}  // namespace sb
