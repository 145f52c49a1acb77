#include "builtin/slowdown_order.h"

#include <string>
#include <vector>

#include "scenario/file_names.h"

namespace sb {
namespace {

// Empty rows of the form's table.
constexpr int kRigheVuote = 26;

constexpr std::string_view kRegola =
    " |___|____________________________|____________|__________|_________|____________|";

}  // namespace

lista_righe righe_rallentamenti() {
  std::vector<std::string> righe = {
      "",
      std::string(31, ' ') + "Modulo M. 3",
      std::string(27, ' ') + "ORDINE DI RALLENTAMENTO",
      " " + std::string(80, '_'),
      "  Linea  xxxxxx xxxxxxx",
      "",
      "  Si ordina al macchinista del treno xxxxx di effettuare i seguenti rallentamenti",
      "  " + std::string(79, '_'),
      " |   |                            |Inizio dopo |          |         |            |",
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
      std::string(kRegola),
  };
  for (int i = 0; i < kRigheVuote; ++i) {
    righe.push_back(" |   |                            |            |          |         |            |");
  }
  righe.insert(righe.end(), {
                                std::string(kRegola),
                                "",
                                std::string(14, ' ') + "Prescrizioni specifiche",
                                " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
                                " B - Interessa anche la stazione di.......",
                                " D - Rallentamneto N. ... e N. ...  sono contigui",
                                " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
                                "     i giorni esclusi i seguenti:.........",
                            });
  return lista_da(righe);
}

esito_file dati_rallentamenti(const std::string& cartella, const std::string& nome_linea,
                      const std::string& numero_treno) {
  return scrivi_documento(righe_rallentamenti(), in_cartella(cartella, nome_documento(nome_linea, numero_treno, "rallentamenti.txt")));
}

}  // namespace sb
