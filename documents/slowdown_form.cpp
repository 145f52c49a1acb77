#include "documents/slowdown_form.h"

#include "documents/train_sheet_layout.h"

namespace sb {
namespace {

constexpr std::string_view kRegola =
    " |___|____________________________|____________|__________|_________|____________|";
constexpr std::string_view kRigaVuota =
    " |   |                            |            |          |         |            |";

// The number right-aligned in the width less one, then a blank; stars when
// it does not fit.
std::string numero_in(const std::string& cifre, size_t larghezza) {
  if (cifre.size() + 1 > larghezza) return std::string(larghezza, '*');
  return std::string(larghezza - 1 - cifre.size(), ' ') + cifre + " ";
}

// A table row from its six cells, the two first given as text.
std::string riga(const std::string& numero, const std::string& stazioni, const std::string& inizio,
                 const std::string& velocita, const std::string& lunghezza) {
  return " |" + numero + "|" + a_sinistra(stazioni, kLarghezzaFraStazioni) + "|" + inizio + "|" + velocita + "|" +
         lunghezza + "|            |";
}

// The table rows of one slowdown: the first with its values and station,
// the next ones with the other stations' names.
void righe_voce(std::vector<std::string>& righe, size_t n, const voce_modulo& v) {
  const std::string prima = v.stazioni.empty() ? "" : v.stazioni.front();
  const std::string lunghezza = v.lunghezza < 0 ? std::string(9, ' ') : numero_in(std::to_string(v.lunghezza), 9);
  std::string numero = std::to_string(n);
  numero = numero.size() >= 3 ? numero.substr(0, 3) : std::string(3 - numero.size(), ' ') + numero;
  righe.push_back(riga(numero, prima, numero_in(chilometri(v.progressiva), 12),
                       numero_in(std::to_string(v.velocita), 10), lunghezza));
  for (size_t i = 1; i < v.stazioni.size(); ++i) {
    righe.push_back(riga("   ", v.stazioni[i], std::string(12, ' '), std::string(10, ' '), std::string(9, ' ')));
  }
}

}  // namespace

std::vector<std::string> righe_modulo(std::string_view linea, std::string_view treno,
                                      const std::vector<voce_modulo>& voci) {
  std::vector<std::string> righe = {
      "",
      std::string(31, ' ') + "Modulo M. 3",
      std::string(27, ' ') + "ORDINE DI RALLENTAMENTO",
      " " + std::string(80, '_'),
      "  Linea  " + std::string(linea),
      "",
      "  Si ordina al macchinista del treno " + std::string(treno) + " di effettuare i seguenti rallentamenti",
      "  " + std::string(79, '_'),
      " |   |                            |Inizio dopo |          |         |            |",
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
      std::string(kRegola),
  };
  const size_t inizio_tabella = righe.size();
  for (size_t i = 0; i < voci.size(); ++i) righe_voce(righe, i + 1, voci[i]);
  while (righe.size() < inizio_tabella + kRigheModulo) righe.push_back(std::string(kRigaVuota));
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
  return righe;
}

}  // namespace sb
