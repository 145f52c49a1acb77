#include "osm_import/measured_route.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "osm_import/geodesy.h"

namespace sb {

sul_percorso proietta_su_percorso(const percorso_misurato& m, const coordinate& q) {
  sul_percorso migliore;
  migliore.distanza = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i + 1 < m.p.punti.size(); ++i) {
    const piede f = piede_su_segmento(q, m.p.punti[i], m.p.punti[i + 1]);
    if (f.distanza >= migliore.distanza) continue;
    migliore.distanza = f.distanza;
    migliore.metro = m.t.s[i] + f.t * (m.t.s[i + 1] - m.t.s[i]);
  }
  return migliore;
}

int32_t punto_piano(const percorso_misurato& m, double metro) { return punto_di_metro(m.piano.punti, metro); }

int32_t a_cella(double metri) { return static_cast<int32_t>(std::nearbyint(metri / 50.0)) * 50; }

std::string metri_detti(double metri) {
  const long long m = std::llround(metri);
  const std::string cifre = std::to_string(m < 0 ? -m : m);
  std::string testo = m < 0 ? "-" : "";
  for (size_t i = 0; i < cifre.size(); ++i) {
    if (i > 0 && (cifre.size() - i) % 3 == 0) testo.push_back(' ');
    testo.push_back(cifre[i]);
  }
  testo.append(" m");
  return testo;
}

std::string km_detti(double metri) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.1f km", metri / 1000.0);
  return testo;
}

}  // namespace sb
