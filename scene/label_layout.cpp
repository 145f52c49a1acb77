#include "scene/label_layout.h"

#include <algorithm>

namespace sb {

bool posatore_etichette::libero(const riquadro& r) const {
  return std::none_of(presi_.begin(), presi_.end(), [&](const riquadro& q) { return q.sovrappone(r); });
}

bool posatore_etichette::prendi(const riquadro& r) {
  if (!libero(r)) return false;
  presi_.push_back(r);
  return true;
}

riquadro posatore_etichette::limiti() const {
  riquadro r{1e300, 1e300, -1e300, -1e300};
  for (const riquadro& q : presi_) {
    r = {std::min(r.x0, q.x0), std::min(r.y0, q.y0), std::max(r.x1, q.x1), std::max(r.y1, q.y1)};
  }
  return r;
}

double larghezza_testo(std::string_view utf8, double corpo) {
  double em = 0;
  for (size_t k = 0; k < utf8.size(); ++k) {
    const unsigned char c = static_cast<unsigned char>(utf8[k]);
    if ((c & 0xC0) == 0x80) continue;  // continuation byte
    if (c == ' ' || c == '.' || c == ',' || c == ':' || c == '\'' || c == 'i' || c == 'l' || c == 'j' ||
        c == 'I' || c == '|' || c == '!') {
      em += 0.34;
    } else if (c == 'f' || c == 't' || c == 'r' || c == '(' || c == ')' || c == '/' || c == '-') {
      em += 0.45;
    } else if ((c >= 'A' && c <= 'Z') || c == 'm' || c == 'w' || c >= 0x80) {
      em += 0.78;
    } else {
      em += 0.64;
    }
  }
  return em * corpo;
}

}  // namespace sb
