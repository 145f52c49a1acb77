#include "inspect/json_text.h"

#include <cmath>
#include <cstdio>

#include "text_input/utf8_input.h"

namespace sb {

std::string testo_decimale(double v, int decimali) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
  int n = std::snprintf(nullptr, 0, "%.*f", decimali, v);
  std::string testo(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(testo.data(), testo.size(), "%.*f", decimali, v);
  testo.pop_back();
  return testo;
}

std::string json_decimale(double v, int decimali) {
  std::string t = testo_decimale(v, decimali);
  return std::isfinite(v) ? t : "\"" + t + "\"";
}

std::string json_stringa(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8_riparato(utf8)) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char codice[8];
      std::snprintf(codice, sizeof codice, "\\u%04x", u);
      out += codice;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string xml_testo(std::string_view utf8) {
  std::string out;
  for (char c : utf8_riparato(utf8)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out += c;
    }
  }
  return out;
}

}  // namespace sb
