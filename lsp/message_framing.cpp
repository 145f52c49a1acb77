#include "lsp/message_framing.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <optional>
#include <ostream>

#include "text_input/keywords.h"

namespace sb {
namespace {

constexpr std::string_view kLunghezza = "content-length:";

// The most of a header line that is kept: no header of ours is this long.
// A longer line is read in pieces and only its last part kept, where a
// header that garbage ran into stands.
constexpr size_t kRigaMassima = 1024;

// Reads one header line without its line end, keeping at most its last
// kRigaMassima bytes; false at the end of input.
bool leggi_riga(std::istream& in, std::string& riga) {
  riga.clear();
  std::streambuf* b = in.rdbuf();
  for (;;) {
    const int c = b->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      in.setstate(std::ios::eofbit);
      return false;
    }
    if (c == '\n') break;
    riga += static_cast<char>(c);
    if (riga.size() >= 2 * kRigaMassima) riga.erase(0, riga.size() - kRigaMassima);
  }
  if (!riga.empty() && riga.back() == '\r') riga.pop_back();
  return true;
}

// Where a Content-Length header starts in the line: anywhere, as garbage
// left by a malformed message may stand before it; npos when it has none.
size_t inizio_lunghezza(const std::string& riga) { return minuscolo_cp1252(riga).rfind(kLunghezza); }

// The value of the Content-Length header at `a`, blanks around it left out;
// none when it is no length.
std::optional<size_t> lunghezza_in(const std::string& riga, size_t a) {
  std::string_view valore = std::string_view(riga).substr(a + kLunghezza.size());
  while (!valore.empty() && (valore.front() == ' ' || valore.front() == '\t')) valore.remove_prefix(1);
  while (!valore.empty() && (valore.back() == ' ' || valore.back() == '\t')) valore.remove_suffix(1);
  size_t n = 0;
  const auto [fine, errore] = std::from_chars(valore.data(), valore.data() + valore.size(), n);
  if (errore != std::errc() || fine != valore.data() + valore.size() || valore.empty()) return std::nullopt;
  return n;
}

// Reads the header block up to its blank line; false at the end of input.
// The length is set when a valid Content-Length was given.
bool leggi_intestazioni(std::istream& in, size_t& lunghezza, bool& trovata) {
  std::string riga;
  while (leggi_riga(in, riga)) {
    if (riga.empty()) return true;
    const size_t a = inizio_lunghezza(riga);
    if (a == std::string::npos) continue;  // a header we do not use
    const std::optional<size_t> n = lunghezza_in(riga, a);
    if (n) lunghezza = *n;
    trovata = n.has_value();
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
