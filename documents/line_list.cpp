#include "documents/line_list.h"

namespace sb {

namespace {

template <typename Righe>
lista_righe riempi(const Righe& righe) {
  lista_righe lista;
  size_t i = 0;
  for (std::string_view riga : righe) {
    if (i + 1 >= lista.slot.size()) break;
    lista.slot[i++] = riga;
  }
  lista.slot[i] = kMarcatoreFine;
  return lista;
}

}  // namespace

lista_righe lista_da(std::initializer_list<std::string_view> righe) { return riempi(righe); }

lista_righe lista_da(const std::vector<std::string>& righe) { return riempi(righe); }

std::string componi_documento(const lista_righe& lista) {
  std::string out;
  for (const std::string& riga : lista.slot) {
    if (riga == kMarcatoreFine) break;
    out += riga;
    out += "\r\n";
  }
  return out;
}

}  // namespace sb
