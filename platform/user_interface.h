// What the builder shows a person: the waiting window and the error box.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

namespace sb {

// The window Form1 with its label "Attendere", and the modal message box.
class interfaccia_utente {
 public:
  virtual ~interfaccia_utente() = default;

  // Shows the waiting window and paints it once; the work follows.
  virtual void mostra_attesa() = 0;

  // Takes the waiting window away at the end of the program.
  virtual void chiudi_attesa() = 0;

  // Shows a message with a single OK button and waits until it is closed.
  virtual void messaggio(const std::string& testo) = 0;
};

// The text of the waiting label.
inline constexpr const char* kTestoAttesa = "Attendere";

// Console stand-ins: the label is printed to out, the message to err.
std::unique_ptr<interfaccia_utente> interfaccia_console(std::ostream& out, std::ostream& err);

// The window and the box on the display when one can be opened (titolo is the
// window's title); the console stand-ins otherwise, so that nothing ever waits
// for a box that nobody can see.
std::unique_ptr<interfaccia_utente> interfaccia_di_sistema(const std::string& titolo,
                                                           std::ostream& out, std::ostream& err);

}  // namespace sb
