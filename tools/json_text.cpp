#include "tools/json_text.h"

#include <cstdio>

namespace sb {

std::string json_stringa(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
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
  for (char c : utf8) {
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
