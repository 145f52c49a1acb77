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

namespace {

// Whether a field that begins a line can begin a row: a word, not a value.
bool inizia_riga(const campo_letto& c) {
  if (!c.primo_della_riga || c.grezzo.empty()) return false;
  const char primo = c.grezzo[0];
  if (primo >= '0' && primo <= '9') return false;
  const forma_numero f = forma_di(c.grezzo);
  return f == forma_numero::non_numero;
}

}  // namespace

void riprendi_alla_riga_seguente(lettore_campi& lettore, int32_t riga_chiave) {
  if (lettore.ultimo().riga > riga_chiave && inizia_riga(lettore.ultimo())) {
    lettore.rileggi_ultimo();
    return;
  }
  std::string campo;
  while (lettore.leggi_testo(campo) == esito_lettura::letto) {
    if (lettore.ultimo().riga > riga_chiave && inizia_riga(lettore.ultimo())) {
      lettore.rileggi_ultimo();
      return;
    }
  }
}

}  // namespace sb
