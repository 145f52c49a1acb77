#include "decompile/plan_stretches.h"

#include <array>

#include "line/line_plan.h"

namespace sb {
namespace {

double come_reale(const valore_variante& v) {
  return v.tipo == tipo_variante::intero ? static_cast<double>(v.intero) : v.reale;
}

bool intero(const valore_variante& v, int16_t valore) {
  return v.tipo == tipo_variante::intero && v.intero == valore;
}

bool reale(const griglia_linea& g, size_t k) {
  return g.x[k].tipo == tipo_variante::reale && g.y[k].tipo == tipo_variante::reale;
}

// One way a point may follow from the two before it: 0 a straight step,
// otherwise the curve of that digit and direction.
struct passo_piano {
  int cifra = 0;
  bool verso_s = false;
  double kappa = 0.0;
};

// The straight step first, then the digits 1 to 6 each way, with the very
// curvatures the line compiler takes from the keyword.
std::array<passo_piano, 13> passi() {
  std::array<passo_piano, 13> p{};
  for (int cifra = 1; cifra <= 6; ++cifra) {
    const std::string d(1, static_cast<char>('0' + cifra));
    p[static_cast<size_t>(2 * cifra - 1)] = {cifra, false, curvatura("d" + d)};
    p[static_cast<size_t>(2 * cifra)] = {cifra, true, curvatura("s" + d)};
  }
  return p;
}

// The last two points, as the compiler carries them from one point to the next.
struct due_punti {
  double x2, y2, x1, y1;
};

// The step that gives the point (x, y) exactly after the two points, or -1.
int passo_del_punto(const due_punti& d, double x, double y, const std::array<passo_piano, 13>& p) {
  const double dx = d.x1 - d.x2;
  const double dy = d.y1 - d.y2;
  if (x == d.x1 + dx && y == d.y1 + dy) return 0;
  for (size_t i = 1; i < p.size(); ++i) {
    const double kappa = p[i].kappa;
    if (x == (d.x1 + dx) + kappa * dy && y == (d.y1 + dy) - kappa * dx) return static_cast<int>(i);
  }
  return -1;
}

// Adds the segment from metre k - 1 to k to the stretches.
void aggiungi(std::vector<tratto_piano>& t, int64_t k, const passo_piano& p) {
  if (!t.empty() && t.back().cifra == p.cifra && t.back().verso_s == p.verso_s && t.back().fine == k - 1) {
    t.back().fine = k;
    return;
  }
  t.push_back({k - 1, k, p.cifra, p.verso_s});
}

}  // namespace

piano_letto leggi_piano(const griglia_linea& griglia) {
  piano_letto l;
  const griglia_linea& g = griglia;
  if (g.x.size() < 2 || g.y.size() != g.x.size()) return l;
  l.seme_valido = intero(g.x[0], 0) && intero(g.y[0], 0) && intero(g.x[1], 0) && intero(g.y[1], 1);
  if (!l.seme_valido) return l;
  l.tratti.push_back({0, 1, 0, false});
  const std::array<passo_piano, 13> p = passi();
  due_punti d{come_reale(g.x[0]), come_reale(g.y[0]), come_reale(g.x[1]), come_reale(g.y[1])};
  size_t k = 2;
  for (; k < g.x.size() && reale(g, k); ++k) {
    const double x = g.x[k].reale;
    const double y = g.y[k].reale;
    const int i = passo_del_punto(d, x, y, p);
    if (i < 0) {
      l.punto_estraneo = static_cast<int64_t>(k);
      break;
    }
    aggiungi(l.tratti, static_cast<int64_t>(k), p[static_cast<size_t>(i)]);
    d = {d.x1, d.y1, x, y};
  }
  l.ultimo_calcolato = static_cast<int64_t>(k) - 1;
  if (l.punto_estraneo < 0 && k < g.x.size()) {
    // Whatever follows the computed points must be empty.
    for (size_t e = k; e < g.x.size(); ++e) {
      if (g.x[e].tipo != tipo_variante::vuoto || g.y[e].tipo != tipo_variante::vuoto) {
        l.punto_estraneo = static_cast<int64_t>(e);
        break;
      }
    }
  }
  return l;
}

std::string parola_curva(const tratto_piano& t) {
  return std::string(t.verso_s ? "curvas" : "curvad") + static_cast<char>('0' + t.cifra);
}

int32_t raggio_cifra(int cifra) {
  static constexpr int32_t kRaggi[] = {10000, 5000, 2500, 1000, 500, 333};
  if (cifra < 1 || cifra > 6) return 0;
  return kRaggi[cifra - 1];
}

}  // namespace sb
