#include "scenario/text_columns.h"

namespace sb {

std::string a_destra(int32_t valore, size_t larghezza) {
  std::string testo = std::to_string(valore);
  if (testo.size() >= larghezza) return testo;
  return std::string(larghezza - testo.size(), ' ') + testo;
}

std::string riga_colonne(std::string_view chiave, std::initializer_list<std::pair<int32_t, size_t>> valori) {
  std::string riga(chiave);
  riga += ',';
  bool primo = true;
  for (const auto& [valore, larghezza] : valori) {
    if (!primo) riga += ',';
    riga += a_destra(valore, larghezza);
    primo = false;
  }
  return riga;
}

}  // namespace sb
