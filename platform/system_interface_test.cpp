#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "platform/user_interface.h"

namespace sb {
namespace {

// Without a display that can be opened, the label goes to out and the message
// to err, and nothing waits.
TEST(InterfacciaDiSistema, SenzaDisplayUsaLaConsole) {
  const char* casi[] = {nullptr, "", ":9999"};
  for (const char* display : casi) {
    SCOPED_TRACE(display == nullptr ? "DISPLAY unset" : display);
    if (display == nullptr) {
      unsetenv("DISPLAY");
    } else {
      setenv("DISPLAY", display, 1);
    }
    std::ostringstream out;
    std::ostringstream err;
    std::unique_ptr<interfaccia_utente> ui = interfaccia_di_sistema("BORVALE 40617", out, err);
    ui->mostra_attesa();
    ui->messaggio(" Errore n. 1250");
    ui->chiudi_attesa();
    EXPECT_EQ(out.str(), "Attendere\n");
    EXPECT_EQ(err.str(), " Errore n. 1250\n");
  }
}

}  // namespace
}  // namespace sb
