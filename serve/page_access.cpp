#include "serve/page_access.h"

#include <cstdint>
#include <random>

namespace sb {
namespace {

// Whether two texts are equal, in a time that does not tell where they differ.
bool uguali_in_tempo_costante(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char diverso = 0;
  for (size_t k = 0; k < a.size(); ++k) diverso |= static_cast<unsigned char>(a[k] ^ b[k]);
  return diverso == 0;
}

// Whether the text is a lower-case "localhost", any case.
bool e_localhost(std::string_view nome) {
  constexpr std::string_view kLocalhost = "localhost";
  if (nome.size() != kLocalhost.size()) return false;
  for (size_t k = 0; k < nome.size(); ++k) {
    const char c = nome[k] >= 'A' && nome[k] <= 'Z' ? static_cast<char>(nome[k] - 'A' + 'a') : nome[k];
    if (c != kLocalhost[k]) return false;
  }
  return true;
}

}  // namespace

std::string nuovo_gettone() {
  std::random_device sorgente;
  constexpr const char* kCifre = "0123456789abcdef";
  std::string g;
  for (int k = 0; k < 4; ++k) {
    const uint32_t v = sorgente();
    for (int b = 28; b >= 0; b -= 4) g += kCifre[(v >> b) & 0xF];
  }
  return g;
}

bool host_di_loopback(std::string_view host, int porta) {
  const std::string coda = ":" + std::to_string(porta);
  if (host.size() <= coda.size() || host.substr(host.size() - coda.size()) != coda) return false;
  const std::string_view nome = host.substr(0, host.size() - coda.size());
  return nome == "127.0.0.1" || nome == "[::1]" || e_localhost(nome);
}

accesso decidi_accesso(std::string_view metodo, std::string_view risorsa, std::string_view host,
                       std::string_view gettone, int porta) {
  if (!host_di_loopback(host, porta)) return accesso::host_estraneo;
  if (metodo != "GET" || gettone.empty() || risorsa.size() < gettone.size() + 2 || risorsa[0] != '/') {
    return accesso::non_trovato;
  }
  if (!uguali_in_tempo_costante(risorsa.substr(1, gettone.size()), gettone)) return accesso::non_trovato;
  const std::string_view resto = risorsa.substr(1 + gettone.size());
  if (resto == "/") return accesso::pagina;
  if (resto == "/events") return accesso::eventi;
  return accesso::non_trovato;
}

}  // namespace sb
