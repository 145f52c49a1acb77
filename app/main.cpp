// scenario_builder: writes the scenario BORVALE / 40617 beside itself.
#include <iostream>

#include "app/startup.h"
#include "builtin/builtin_scenario.h"
#include "platform/program_directory.h"
#include "platform/user_interface.h"

int main() {
  std::unique_ptr<sb::interfaccia_utente> ui = sb::interfaccia_di_sistema(
      std::string(sb::kNomeLinea) + " " + sb::kNumeroTreno, std::cout, std::cerr);
  std::string cartella = sb::cartella_programma();
  if (cartella.empty()) {
    std::cerr << "scenario_builder: cannot tell the directory that holds the program\n";
    return sb::kUscitaFile;
  }
  return sb::avvio(cartella, *ui, std::cerr);
}
