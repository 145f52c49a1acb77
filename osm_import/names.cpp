#include "osm_import/names.h"

#include <array>

#include "text_input/utf8_input.h"

namespace sb {
namespace {

// The plain letters of U+00C0 to U+017F, in lower case ("" where there is
// none: the signs of multiplication and division).
constexpr std::array<std::string_view, 192> kPiane = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "y",
    "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d", "d",
    "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g",
    "g", "g", "g", "g", "h", "h", "h", "h", "i", "i", "i", "i", "i", "i", "i", "i",
    "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l",
    "l", "l", "l", "n", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o",
    "o", "o", "oe", "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s",
    "s", "s", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u",
    "u", "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z", "z", "z", "s",
};

// The plain letters of a code point, or empty when it has none.
std::string_view piane(char32_t c) {
  if (c < 0xC0 || c > 0x17F) return {};
  return kPiane[c - 0xC0];
}

// Whether a code point of U+00C0 to U+017F is a capital.
bool maiuscola(char32_t c) {
  if (c < 0x100) return c < 0xDF;
  if (c == 0x138 || c == 0x149 || c == 0x17F) return false;
  if (c >= 0x139 && c <= 0x148) return c % 2 == 1;
  if (c >= 0x179) return c % 2 == 1;
  return c % 2 == 0;
}

}  // namespace

char32_t leggi_codice(std::string_view s, size_t& i) {
  const auto c = static_cast<unsigned char>(s[i++]);
  if (c < 0x80) return c;
  int resto = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (resto < 0) return 0xFFFD;
  char32_t v = c & (0x3F >> resto);
  for (; resto > 0; --resto) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    v = (v << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  return v;
}

void scrivi_codice(std::string& out, char32_t v) {
  if (v < 0x80) {
    out += static_cast<char>(v);
  } else if (v < 0x800) {
    out += static_cast<char>(0xC0 | (v >> 6));
    out += static_cast<char>(0x80 | (v & 0x3F));
  } else if (v < 0x10000) {
    out += static_cast<char>(0xE0 | (v >> 12));
    out += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (v & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (v >> 18));
    out += static_cast<char>(0x80 | ((v >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (v & 0x3F));
  }
}

std::string piegato(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const char32_t c = leggi_codice(utf8, i);
    if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else if (const std::string_view p = piane(c); !p.empty()) {
      out += p;
    } else {
      scrivi_codice(out, c);
    }
  }
  return out;
}

nome_cp1252 in_cp1252(std::string_view utf8) {
  nome_cp1252 n;
  for (size_t i = 0; i < utf8.size();) {
    const size_t inizio = i;
    const char32_t c = leggi_codice(utf8, i);
    if (c < 0x80) {
      n.byte += static_cast<char>(c);
      continue;
    }
    const testo_convertito t = prepara_testo(utf8.substr(inizio, i - inizio));
    if (t.sostituiti.empty() && t.byte.size() == 1) {
      n.byte += t.byte;
      continue;
    }
    n.traslitterato = true;
    const std::string_view p = piane(c);
    if (p.empty()) {
      n.byte.push_back('?');
      continue;
    }
    const bool capitale = maiuscola(c);
    for (size_t k = 0; k < p.size(); ++k) {
      n.byte.push_back(k == 0 && capitale ? static_cast<char>(p[k] - 'a' + 'A') : p[k]);
    }
  }
  return n;
}

}  // namespace sb
