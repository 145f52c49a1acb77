#include "lsp/message_framing.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>

#include "text_input/keywords.h"

namespace sb {
namespace {

constexpr std::string_view kLunghezza = "content-length:";

// Reads the header block up to its blank line; false at the end of input.
// The length is set when a valid Content-Length was given.
bool leggi_intestazioni(std::istream& in, size_t& lunghezza, bool& trovata) {
  std::string riga;
  while (std::getline(in, riga)) {
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    if (riga.empty()) return true;
    if (riga.size() > 1024) continue;  // no header of ours is this long
    const std::string minuscola = minuscolo_cp1252(riga);
    if (minuscola.compare(0, kLunghezza.size(), kLunghezza) != 0) continue;
    std::string_view valore = std::string_view(riga).substr(kLunghezza.size());
    while (!valore.empty() && valore.front() == ' ') valore.remove_prefix(1);
    size_t n = 0;
    const auto [fine, errore] = std::from_chars(valore.data(), valore.data() + valore.size(), n);
    trovata = errore == std::errc() && fine == valore.data() + valore.size();
    if (trovata) lunghezza = n;
  }
  return false;
}

// Reads past n bytes in pieces; false when the input ends first.
bool salta(std::istream& in, size_t n) {
  char pezzo[65536];
  while (n > 0) {
    const size_t quanti = std::min(n, sizeof pezzo);
    in.read(pezzo, static_cast<std::streamsize>(quanti));
    if (static_cast<size_t>(in.gcount()) != quanti) return false;
    n -= quanti;
  }
  return true;
}

}  // namespace

messaggio_letto leggi_messaggio(std::istream& in, size_t massimo) {
  size_t lunghezza = 0;
  bool trovata = false;
  if (!leggi_intestazioni(in, lunghezza, trovata)) return {};
  if (!trovata) return {esito_messaggio::senza_lunghezza, ""};
  if (lunghezza > massimo) {
    if (!salta(in, lunghezza)) return {};
    return {esito_messaggio::troppo_grande, ""};
  }
  messaggio_letto m{esito_messaggio::messaggio, std::string(lunghezza, '\0')};
  in.read(m.corpo.data(), static_cast<std::streamsize>(lunghezza));
  if (static_cast<size_t>(in.gcount()) != lunghezza) return {};
  return m;
}

void scrivi_messaggio(std::ostream& out, std::string_view corpo) {
  out << "Content-Length: " << corpo.size() << "\r\n\r\n" << corpo;
  out.flush();
}

}  // namespace sb
