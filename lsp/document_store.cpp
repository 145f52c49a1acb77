#include "lsp/document_store.h"

#include <algorithm>

namespace sb {
namespace {

constexpr std::string_view kFile = "file://";

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Whether a byte stands in a URI path as it is.
bool libero(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/';
}

}  // namespace

bool applica_modifica(std::string& testo, const modifica_testo& m, size_t massimo) {
  if (!m.inizio) {
    if (m.testo.size() > massimo) return false;
    testo = m.testo;
    return true;
  }
  const righe_utf8 righe(testo);
  const size_t inizio = righe.offset(*m.inizio);
  const size_t fine = std::max(inizio, righe.offset(m.fine));
  if (testo.size() - (fine - inizio) + m.testo.size() > massimo) return false;
  testo.replace(inizio, fine - inizio, m.testo);
  return true;
}

std::string file_di_uri(std::string_view uri) {
  if (uri.substr(0, kFile.size()) != kFile) return "";
  uri.remove_prefix(kFile.size());
  // "file://host/path": only the local host (empty or "localhost") is a file here.
  const size_t barra = uri.find('/');
  if (barra == std::string_view::npos) return "";
  const std::string_view ospite = uri.substr(0, barra);
  if (!ospite.empty() && ospite != "localhost") return "";
  uri.remove_prefix(barra);
  std::string out;
  for (size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size()) {
      const int a = cifra_esadecimale(uri[i + 1]), b = cifra_esadecimale(uri[i + 2]);
      if (a >= 0 && b >= 0) {
        out += static_cast<char>(a * 16 + b);
        i += 2;
        continue;
      }
    }
    out += uri[i];
  }
  if (out.find('\0') != std::string::npos) return "";
  return out;
}

std::string uri_di_file(std::string_view file) {
  static constexpr char kCifre[] = "0123456789ABCDEF";
  std::string out(kFile);
  for (char c : file) {
    const auto u = static_cast<unsigned char>(c);
    if (libero(u)) {
      out += c;
      continue;
    }
    out += '%';
    out += kCifre[u >> 4];
    out += kCifre[u & 15];
  }
  return out;
}

}  // namespace sb
