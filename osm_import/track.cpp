#include "osm_import/track.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "osm_import/geodesy.h"

namespace sb {

tracciato sviluppa(const percorso_osm& p) {
  tracciato t;
  t.x.push_back(0.0);
  t.y.push_back(0.0);
  t.s.push_back(0.0);
  double rotta = 0.0;
  double arrivo = 0.0;  // the azimuth arriving at the vertex
  for (size_t i = 0; i + 1 < p.punti.size(); ++i) {
    const geodetica g = inversa(p.punti[i], p.punti[i + 1]);
    if (i > 0) rotta = angolo_ridotto(rotta + angolo_ridotto(g.azimut_1 - arrivo));
    arrivo = g.azimut_2;
    t.rotta.push_back(rotta);
    t.x.push_back(t.x.back() + g.lunghezza * std::sin(rotta));
    t.y.push_back(t.y.back() + g.lunghezza * std::cos(rotta));
    t.s.push_back(t.s.back() + g.lunghezza);
  }
  return t;
}

punto_tracciato punto_a(const tracciato& t, double m, size_t da) {
  punto_tracciato q;
  if (t.rotta.empty()) return q;
  size_t j = std::min(da, t.rotta.size() - 1);
  while (j > 0 && t.s[j] > m) --j;
  while (j + 1 < t.rotta.size() && t.s[j + 1] <= m) ++j;
  const double u = std::clamp(m - t.s[j], 0.0, t.s[j + 1] - t.s[j]);
  q.rotta = t.rotta[j];
  q.x = t.x[j] + u * std::sin(q.rotta);
  q.y = t.y[j] + u * std::cos(q.rotta);
  q.segmento = j;
  return q;
}

double distanza_tratto(const tracciato& t, double x, double y, double m0, double m1, size_t& da) {
  double migliore = std::numeric_limits<double>::infinity();
  if (t.rotta.empty()) return migliore;
  size_t j = std::min(da, t.rotta.size() - 1);
  while (j > 0 && t.s[j] > m0) --j;
  while (j + 1 < t.rotta.size() && t.s[j + 1] <= m0) ++j;
  da = j;
  for (; j < t.rotta.size() && t.s[j] <= m1; ++j) {
    const double ax = t.x[j], ay = t.y[j];
    const double dx = t.x[j + 1] - ax, dy = t.y[j + 1] - ay;
    const double l2 = dx * dx + dy * dy;
    const double u = l2 > 0.0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / l2, 0.0, 1.0) : 0.0;
    migliore = std::min(migliore, std::hypot(x - (ax + u * dx), y - (ay + u * dy)));
  }
  return migliore;
}

std::vector<double> raggi_vertici(const tracciato& t) {
  // Over at least 25 m each side, so that a mapper's short wobbly segments do
  // not read as a tight curve.
  constexpr double kFinestra = 25.0;
  std::vector<double> r(t.s.size(), std::numeric_limits<double>::infinity());
  for (size_t i = 1; i + 1 < t.s.size(); ++i) {
    size_t j = i - 1, k = i;
    while (j > 0 && t.s[i] - t.s[j] < kFinestra) --j;
    while (k + 1 < t.rotta.size() && t.s[k + 1] - t.s[i] < kFinestra) ++k;
    const double svolta = std::fabs(angolo_ridotto(t.rotta[k] - t.rotta[j]));
    const double tratto = (t.s[k] + t.s[k + 1]) / 2.0 - (t.s[j] + t.s[j + 1]) / 2.0;
    if (svolta > 0.0) r[i] = tratto / svolta;
  }
  return r;
}

}  // namespace sb
