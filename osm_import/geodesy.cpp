#include "osm_import/geodesy.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sb {
namespace {

constexpr double kSemiasse = 6378137.0;
constexpr double kSchiacciamento = 1.0 / 298.257223563;
constexpr double kSemiasseMinore = kSemiasse * (1.0 - kSchiacciamento);

double radianti(double gradi) { return gradi * std::numbers::pi / 180.0; }

// Metres per degree of latitude on the sphere of the ellipsoid's mean radius.
constexpr double kMetriGrado = 6371008.8 * std::numbers::pi / 180.0;

}  // namespace

piede piede_su_segmento(const coordinate& q, const coordinate& a, const coordinate& b) {
  const double c = std::cos(radianti(q.lat));
  const double ax = (a.lon - q.lon) * c * kMetriGrado, ay = (a.lat - q.lat) * kMetriGrado;
  const double bx = (b.lon - q.lon) * c * kMetriGrado, by = (b.lat - q.lat) * kMetriGrado;
  const double dx = bx - ax, dy = by - ay;
  const double l2 = dx * dx + dy * dy;
  piede p;
  p.t = l2 > 0.0 ? std::clamp(-(ax * dx + ay * dy) / l2, 0.0, 1.0) : 0.0;
  p.distanza = std::hypot(ax + p.t * dx, ay + p.t * dy);
  return p;
}

double angolo_ridotto(double a) {
  const double giro = 2.0 * std::numbers::pi;
  a = std::fmod(a, giro);
  if (a <= -std::numbers::pi) a += giro;
  if (a > std::numbers::pi) a -= giro;
  return a;
}

geodetica inversa(const coordinate& a, const coordinate& b) {
  const double f = kSchiacciamento;
  const double L = radianti(b.lon - a.lon);
  const double u1 = std::atan((1.0 - f) * std::tan(radianti(a.lat)));
  const double u2 = std::atan((1.0 - f) * std::tan(radianti(b.lat)));
  const double su1 = std::sin(u1), cu1 = std::cos(u1), su2 = std::sin(u2), cu2 = std::cos(u2);
  double lambda = L;
  double ss = 0.0, cs = 1.0, sigma = 0.0, ca2 = 1.0, c2sm = 0.0;
  for (int i = 0; i < 200; ++i) {
    const double sl = std::sin(lambda), cl = std::cos(lambda);
    ss = std::sqrt((cu2 * sl) * (cu2 * sl) + (cu1 * su2 - su1 * cu2 * cl) * (cu1 * su2 - su1 * cu2 * cl));
    if (ss == 0.0) return {};
    cs = su1 * su2 + cu1 * cu2 * cl;
    sigma = std::atan2(ss, cs);
    const double sa = cu1 * cu2 * sl / ss;
    ca2 = 1.0 - sa * sa;
    c2sm = ca2 != 0.0 ? cs - 2.0 * su1 * su2 / ca2 : 0.0;
    const double C = f / 16.0 * ca2 * (4.0 + f * (4.0 - 3.0 * ca2));
    const double prima = lambda;
    lambda = L + (1.0 - C) * f * sa * (sigma + C * ss * (c2sm + C * cs * (-1.0 + 2.0 * c2sm * c2sm)));
    if (std::fabs(lambda - prima) < 1e-13) break;
  }
  const double a2 = kSemiasse * kSemiasse, b2 = kSemiasseMinore * kSemiasseMinore;
  const double u2q = ca2 * (a2 - b2) / b2;
  const double A = 1.0 + u2q / 16384.0 * (4096.0 + u2q * (-768.0 + u2q * (320.0 - 175.0 * u2q)));
  const double B = u2q / 1024.0 * (256.0 + u2q * (-128.0 + u2q * (74.0 - 47.0 * u2q)));
  const double ds = B * ss * (c2sm + B / 4.0 * (cs * (-1.0 + 2.0 * c2sm * c2sm) -
                                                B / 6.0 * c2sm * (-3.0 + 4.0 * ss * ss) * (-3.0 + 4.0 * c2sm * c2sm)));
  geodetica g;
  g.lunghezza = kSemiasseMinore * A * (sigma - ds);
  const double sl = std::sin(lambda), cl = std::cos(lambda);
  g.azimut_1 = std::atan2(cu2 * sl, cu1 * su2 - su1 * cu2 * cl);
  g.azimut_2 = std::atan2(cu1 * sl, -su1 * cu2 + cu1 * su2 * cl);
  return g;
}

}  // namespace sb
