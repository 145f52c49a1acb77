#include "text_input/text_lines.h"

namespace sb {

bool righe_testo::prossima(std::string_view& riga) {
  if (finito_) return false;
  inizio_ = prossimo_;
  ++numero_;
  const size_t fine = testo_.find_first_of("\r\n", inizio_);
  if (fine == std::string_view::npos) {
    finito_ = true;
    riga = testo_.substr(inizio_);
    return true;
  }
  riga = testo_.substr(inizio_, fine - inizio_);
  prossimo_ = fine + (testo_.compare(fine, 2, "\r\n") == 0 ? 2 : 1);
  return true;
}

void righe_testo::fino_a(size_t pos) {
  std::string_view riga;
  while (numero_ == 0 || (!finito_ && pos >= prossimo_)) {
    if (!prossima(riga)) return;
  }
}

std::string_view cercatore_righe::riga(int32_t n) {
  if (n < 1) return {};
  if (righe_.numero() > n) {
    righe_ = righe_testo(testo_);
    ultima_ = {};
  }
  if (righe_.numero() == n) return ultima_;
  while (righe_.prossima(ultima_)) {
    if (righe_.numero() == n) return ultima_;
  }
  return {};
}

std::string_view riga_di(std::string_view testo, int32_t n) { return cercatore_righe(testo).riga(n); }

}  // namespace sb
