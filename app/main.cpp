// scenario_builder: writes the scenario BORVALE / 40617 beside itself.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/startup.h"
#include "builtin/builtin_scenario.h"
#include "platform/program_directory.h"
#include "platform/user_interface.h"

int main(int argc, char** argv) {
  if (std::optional<int> fine = sb::riga_di_comando({argv + 1, argv + argc}, std::cout, std::cerr)) {
    return *fine;
  }
  try {
    std::unique_ptr<sb::interfaccia_utente> ui = sb::interfaccia_di_sistema(
        std::string(sb::kNomeLinea) + " " + sb::kNumeroTreno, std::cout, std::cerr);
    std::string cartella = sb::cartella_programma();
    if (cartella.empty()) {
      std::cerr << "scenario_builder: cannot tell the directory that holds the program\n";
      return sb::kUscitaFile;
    }
    return sb::avvio(cartella, *ui, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "scenario_builder: out of memory; no file was replaced half-written\n";
    return sb::kUscitaFile;
  }
}
