#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/user_interface.h"

namespace sb {
namespace {

// Whether a library whose file name holds the text is mapped into this process.
bool mappata(const std::string& nome) {
  std::ifstream maps("/proc/self/maps");
  std::string riga;
  while (std::getline(maps, riga)) {
    if (riga.find(nome) != std::string::npos) return true;
  }
  return false;
}

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
    // No window library is mapped, or left mapped after a display that
    // could not be opened.
    EXPECT_FALSE(mappata("libX11.so"));
    EXPECT_FALSE(mappata("libXft.so"));
  }
}

}  // namespace
}  // namespace sb
