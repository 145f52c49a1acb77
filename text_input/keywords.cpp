#include "text_input/keywords.h"

namespace sb {

unsigned char minuscola_cp1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if ((c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xDE)) return static_cast<unsigned char>(c + 0x20);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

std::string minuscolo_cp1252(std::string_view testo) {
  std::string out(testo);
  for (char& c : out) c = static_cast<char>(minuscola_cp1252(static_cast<unsigned char>(c)));
  return out;
}

bool contiene_nc(std::string_view campo, std::string_view parola) {
  if (parola.size() > campo.size()) return false;
  for (size_t i = 0; i + parola.size() <= campo.size(); ++i) {
    size_t j = 0;
    while (j < parola.size() &&
           minuscola_cp1252(static_cast<unsigned char>(campo[i + j])) == static_cast<unsigned char>(parola[j])) {
      ++j;
    }
    if (j == parola.size()) return true;
  }
  return false;
}

bool prossima_chiave(lettore_campi& lettore, std::string& campo) {
  if (lettore.finito()) return false;
  lettore.leggi_testo(campo);
  for (int i = 0; i < 2 && !lettore.finito() && contiene(campo, "-"); ++i) lettore.leggi_testo(campo);
  return !lettore.finito();
}

}  // namespace sb
