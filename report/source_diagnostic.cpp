#include "report/source_diagnostic.h"

#include <algorithm>

namespace sb {

std::string rientro_sotto(std::string_view prima) {
  std::string out;
  for (char c : prima) out += c == '\t' ? '\t' : ' ';
  return out;
}

std::string segno_campo(std::string_view riga, size_t inizio) {
  size_t fine = std::min(riga.find(',', inizio), riga.size());
  if (fine <= inizio) return "^";
  while (fine > inizio + 1 && (riga[fine - 1] == ' ' || riga[fine - 1] == '\t')) --fine;
  return "^" + std::string(fine - inizio - 1, '~');
}

std::string_view riga_di(std::string_view testo, int32_t n) {
  size_t inizio = 0;
  for (int32_t i = 1; inizio <= testo.size(); ++i) {
    const size_t fine = testo.find_first_of("\r\n", inizio);
    const size_t a = fine == std::string_view::npos ? testo.size() : fine;
    if (i == n) return testo.substr(inizio, a - inizio);
    if (fine == std::string_view::npos) break;
    inizio = fine + (testo.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
  }
  return {};
}

std::string diagnostica_sorgente(const testo_autore& t, int32_t riga, std::string_view campo,
                                 std::string_view livello, std::string_view messaggio) {
  const std::string testa = std::string(livello) + ": " + std::string(messaggio) + "\n";
  if (t.percorso.empty()) return "scenario_tool: " + testa;
  if (riga <= 0) return t.percorso + ": " + testa;
  const std::string_view letta = riga_di(t.byte, riga);
  const size_t colonna = campo.empty() ? std::string_view::npos : letta.rfind(campo);
  if (colonna == std::string_view::npos) return t.percorso + ":" + std::to_string(riga) + ": " + testa;
  return t.percorso + ":" + std::to_string(riga) + ":" + std::to_string(colonna + 1) + ": " + testa +
         std::string(riga_di(t.originale, riga)) + "\n" + rientro_sotto(letta.substr(0, colonna)) +
         segno_campo(letta, colonna) + "\n";
}

}  // namespace sb
