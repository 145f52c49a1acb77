#include <ostream>

#include "platform/user_interface.h"

namespace sb {
namespace {

// Prints the label to a terminal and the message to standard error.
class console final : public interfaccia_utente {
 public:
  console(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  void mostra_attesa() override { out_ << kTestoAttesa << std::endl; }
  void chiudi_attesa() override {}
  void messaggio(const std::string& testo) override { err_ << testo << std::endl; }

 private:
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

std::unique_ptr<interfaccia_utente> interfaccia_console(std::ostream& out, std::ostream& err) {
  return std::make_unique<console>(out, err);
}

}  // namespace sb
