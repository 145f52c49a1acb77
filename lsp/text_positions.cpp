#include "lsp/text_positions.h"

#include <algorithm>

namespace sb {
namespace {

// The length of the UTF-8 sequence a lead byte opens; 1 for a byte that
// opens none.
size_t lunghezza_sequenza(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
  if (c >= 0xC2) return 2;
  return 1;
}

// One character of the line from byte i: its bytes and its UTF-16 units.
struct carattere_utf8 {
  size_t byte = 1;
  int32_t unita = 1;
};

carattere_utf8 carattere_a(std::string_view riga, size_t i) {
  const size_t n = lunghezza_sequenza(static_cast<unsigned char>(riga[i]));
  if (i + n > riga.size()) return {};
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(riga[i + k]) & 0xC0) != 0x80) return {};
  }
  return {n, n == 4 ? 2 : 1};
}

}  // namespace

righe_utf8::righe_utf8(std::string_view testo) : testo_(testo) {
  inizi_.push_back(0);
  for (size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    if (testo[i] == '\r' || testo[i] == '\n') inizi_.push_back(i + 1);
  }
}

std::string_view righe_utf8::riga(int32_t n) const {
  if (n < 0 || n >= quante()) return {};
  const size_t inizio = inizi_[static_cast<size_t>(n)];
  size_t fine = n + 1 < quante() ? inizi_[static_cast<size_t>(n) + 1] : testo_.size();
  while (fine > inizio && (testo_[fine - 1] == '\n' || testo_[fine - 1] == '\r')) --fine;
  return testo_.substr(inizio, fine - inizio);
}

size_t righe_utf8::offset(posizione_lsp p) const {
  if (p.riga < 0) return 0;
  if (p.riga >= quante()) return testo_.size();
  const std::string_view r = riga(p.riga);
  size_t i = 0;
  int32_t unita = 0;
  while (i < r.size() && unita < p.carattere) {
    const carattere_utf8 c = carattere_a(r, i);
    i += c.byte;
    unita += c.unita;
  }
  return inizi_[static_cast<size_t>(p.riga)] + i;
}

posizione_lsp righe_utf8::da_colonna(int32_t riga_, int32_t colonna) const {
  const std::string_view r = riga(riga_ - 1);
  return {std::max(riga_ - 1, 0), unita_utf16(r, std::max(colonna - 1, 0))};
}

int32_t righe_utf8::colonna_di(posizione_lsp p) const {
  const std::string_view r = riga(p.riga);
  size_t i = 0;
  int32_t unita = 0, caratteri = 0;
  while (i < r.size() && unita < p.carattere) {
    const carattere_utf8 c = carattere_a(r, i);
    i += c.byte;
    unita += c.unita;
    ++caratteri;
  }
  return caratteri + 1;
}

int32_t unita_utf16(std::string_view riga, int32_t caratteri) {
  size_t i = 0;
  int32_t unita = 0;
  for (int32_t k = 0; k < caratteri && i < riga.size(); ++k) {
    const carattere_utf8 c = carattere_a(riga, i);
    i += c.byte;
    unita += c.unita;
  }
  return unita;
}

}  // namespace sb
