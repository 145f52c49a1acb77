// Test aid for the window and the message box, not part of the builder.
//
//   window_probe          shows the waiting window, then reads commands, one
//                         a line, from standard input and announces on
//                         standard output each step done:
//                           box TEXT   shows the message box with TEXT
//                           close      takes the waiting window away
//                           end        ends (so does the end of the input)
//   window_probe -close ID  asks the top-level window ID to close, as a
//                         window manager's close button does.
#include <X11/Xlib.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "platform/user_interface.h"

namespace {

// Sends WM_DELETE_WINDOW to the window, as its close button would.
int chiudi_finestra(const char* id) {
  Display* dpy = XOpenDisplay(nullptr);
  if (dpy == nullptr) {
    std::cerr << "window_probe: no display\n";
    return 1;
  }
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = static_cast<Window>(std::strtoul(id, nullptr, 0));
  e.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, e.xclient.window, False, NoEventMask, &e);
  XCloseDisplay(dpy);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "-close") return chiudi_finestra(argv[2]);
  if (argc != 1) {
    std::cerr << "usage: window_probe | window_probe -close WINDOW_ID\n";
    return 2;
  }
  std::unique_ptr<sb::interfaccia_utente> ui =
      sb::interfaccia_di_sistema("BORVALE 40617", std::cout, std::cerr);
  ui->mostra_attesa();
  std::cout << "window shown" << std::endl;
  std::string riga;
  while (std::getline(std::cin, riga) && riga != "end") {
    if (riga.rfind("box ", 0) == 0) {
      ui->messaggio(riga.substr(4));
      std::cout << "box closed" << std::endl;
    } else if (riga == "close") {
      ui->chiudi_attesa();
      std::cout << "window closed" << std::endl;
    } else {
      std::cerr << "window_probe: unknown command: " << riga << "\n";
    }
  }
  return 0;
}
