#include "scene/plan_geometry.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <utility>

#include "scenario/checked_conversion.h"

namespace sb {
namespace {

// A level holds at least this many points before a coarser one is made.
constexpr size_t kPuntiMinimi = 64;

double come_reale(const valore_variante& v) {
  return v.tipo == tipo_variante::intero ? static_cast<double>(v.intero) : v.reale;
}

bool pieno(const griglia_linea& g, int64_t m) {
  const size_t k = static_cast<size_t>(m);
  return g.x[k].tipo != tipo_variante::vuoto && g.y[k].tipo != tipo_variante::vuoto;
}

// The last metre, up to `ultimo`, of the run of points from 0 that hold a value.
int64_t fine_piena(const griglia_linea& g, int64_t ultimo) {
  const int64_t limite = std::min<int64_t>(ultimo, static_cast<int64_t>(g.x.size()) - 1);
  int64_t m = 0;
  while (m <= limite && pieno(g, m)) ++m;
  return m - 1;
}

// Points simplified a block at a time: a block's ends are always kept, and
// a long line costs its length times the logarithm of the block.
constexpr size_t kBlocco = 2048;

// The squared distance of the point between a and b furthest from the
// segment a-b, and its index (a when there is none between).
std::pair<double, size_t> piu_lontano(const std::vector<punto_contorno>& p, size_t a, size_t b) {
  const double dx = p[b].x - p[a].x, dy = p[b].y - p[a].y, l2 = dx * dx + dy * dy;
  double peggiore = -1;
  size_t dove = a;
  for (size_t k = a + 1; k < b; ++k) {
    const double ex = p[k].x - p[a].x, ey = p[k].y - p[a].y;
    const double t = l2 > 0 ? std::clamp((ex * dx + ey * dy) / l2, 0.0, 1.0) : 0.0;
    const double qx = ex - t * dx, qy = ey - t * dy, d2 = qx * qx + qy * qy;
    if (d2 > peggiore) {
      peggiore = d2;
      dove = k;
    }
  }
  return {peggiore, dove};
}

// Marks the points of p[primo..ultimo] that keep every other point within the
// tolerance of the line through them (first and last always kept). Squared
// distances to the segment, its direction worked out once per segment.
void semplifica_blocco(const std::vector<punto_contorno>& p, size_t primo, size_t ultimo, double tolleranza,
                       std::vector<char>& tieni) {
  tieni[primo] = tieni[ultimo] = 1;
  std::vector<std::pair<size_t, size_t>> da_fare = {{primo, ultimo}};
  const double soglia = tolleranza * tolleranza;
  while (!da_fare.empty()) {
    auto [a, b] = da_fare.back();
    da_fare.pop_back();
    auto [peggiore, dove] = piu_lontano(p, a, b);
    if (peggiore <= soglia) continue;
    tieni[dove] = 1;
    da_fare.push_back({a, dove});
    da_fare.push_back({dove, b});
  }
}

// The points that keep every other point within the tolerance.
std::vector<punto_contorno> semplifica(const std::vector<punto_contorno>& p, double tolleranza) {
  if (p.size() < 3) return p;
  std::vector<char> tieni(p.size(), 0);
  for (size_t a = 0; a + 1 < p.size(); a += kBlocco) {
    semplifica_blocco(p, a, std::min(a + kBlocco, p.size() - 1), tolleranza, tieni);
  }
  // A block's end is dropped when the points kept around it, no further back
  // than the block before, keep every point between within the tolerance.
  for (size_t fine = kBlocco; fine + 1 < p.size(); fine += kBlocco) {
    size_t prima = fine - 1, dopo = fine + 1;
    while (prima > fine - kBlocco && !tieni[prima]) --prima;
    while (!tieni[dopo]) ++dopo;
    if (tieni[prima] && piu_lontano(p, prima, dopo).first <= tolleranza * tolleranza) tieni[fine] = 0;
  }
  std::vector<punto_contorno> out;
  for (size_t k = 0; k < p.size(); ++k) {
    if (tieni[k]) out.push_back(p[k]);
  }
  return out;
}

// Every point from 0 to the last, turned so the chord runs along +x.
std::vector<punto_contorno> punti_girati(const griglia_linea& g, int64_t ultimo) {
  const double x0 = come_reale(g.x[0]), y0 = come_reale(g.y[0]);
  const double dx = come_reale(g.x[static_cast<size_t>(ultimo)]) - x0;
  const double dy = come_reale(g.y[static_cast<size_t>(ultimo)]) - y0;
  const double corda = std::hypot(dx, dy);
  const double c = corda > 0 ? dx / corda : 1, s = corda > 0 ? dy / corda : 0;
  std::vector<punto_contorno> p(static_cast<size_t>(ultimo) + 1);
  for (int64_t m = 0; m <= ultimo; ++m) {
    const double x = come_reale(g.x[static_cast<size_t>(m)]) - x0;
    const double y = come_reale(g.y[static_cast<size_t>(m)]) - y0;
    p[static_cast<size_t>(m)] = {m, x * c + y * s, -x * s + y * c};
  }
  return p;
}

}  // namespace

contorno_pianta contorno_griglia(const griglia_linea& g, int64_t ultimo) {
  contorno_pianta c;
  if (!g.esiste() || ultimo < 1) return c;
  const int64_t fine = fine_piena(g, ultimo);
  if (fine < 1) return c;
  std::vector<punto_contorno> tutti = punti_girati(g, fine);
  // A damaged plan may hold NaN, infinite or absurdly far values: such
  // points are left out, and counted.
  const size_t prima = tutti.size();
  tutti.erase(std::remove_if(tutti.begin(), tutti.end(),
                             [](const punto_contorno& p) {
                               return !entro(p.x, kMassimaCoordinata) || !entro(p.y, kMassimaCoordinata);
                             }),
              tutti.end());
  c.esclusi = prima - tutti.size();
  if (tutti.empty()) return c;
  c.x_min = c.x_max = tutti[0].x;
  c.y_min = c.y_max = tutti[0].y;
  for (const punto_contorno& p : tutti) {
    c.x_min = std::min(c.x_min, p.x);
    c.x_max = std::max(c.x_max, p.x);
    c.y_min = std::min(c.y_min, p.y);
    c.y_max = std::max(c.y_max, p.y);
  }
  const double ampiezza = std::max(c.x_max - c.x_min, c.y_max - c.y_min);
  double tolleranza = kTolleranzaFine;
  std::vector<punto_contorno> livello = semplifica(tutti, tolleranza);
  for (;;) {
    c.livelli.push_back({tolleranza, livello});
    if (livello.size() <= kPuntiMinimi || tolleranza * 8 > ampiezza / 50) break;
    tolleranza *= 8;
    livello = semplifica(livello, tolleranza);
  }
  return c;
}

void avvisa_esclusi(const contorno_pianta& c, const std::string& file, std::ostream& err) {
  if (c.esclusi == 0) return;
  err << file << ": warning: " << c.esclusi
      << (c.esclusi == 1 ? " point of the line plan is" : " points of the line plan are")
      << " not finite or beyond 10000000000000 m: left out of the map\n";
}

}  // namespace sb
