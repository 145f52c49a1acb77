#include "osm_import/plan_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "osm_import/geodesy.h"

namespace sb {
namespace {

// The format's curvatures, digit 1 to 6 (radians per metre).
constexpr std::array<double, 6> kCurvature = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// The tightest radius the plan bends at.
constexpr double kRaggioMinimo = 1.0 / 0.003;

// A curvature level: 0 straight, 1 to 6 curvad, -1 to -6 curvas.
double kappa_di(int livello) {
  if (livello == 0) return 0.0;
  const double k = kCurvature[static_cast<size_t>(std::abs(livello) - 1)];
  return livello < 0 ? -k : k;
}

// The level nearest a curvature.
int livello_vicino(double kappa) {
  int migliore = 0;
  for (int l = -6; l <= 6; ++l) {
    if (std::fabs(kappa - kappa_di(l)) < std::fabs(kappa - kappa_di(migliore))) migliore = l;
  }
  return migliore;
}

// A point of the flat track, continued straight past its end.
void bersaglio(const tracciato& t, double m, size_t& da, double& x, double& y) {
  const punto_tracciato q = punto_a(t, std::min(m, t.lunghezza()), da);
  da = q.segmento;
  const double oltre = std::max(0.0, m - t.lunghezza());
  x = q.x + oltre * std::sin(q.rotta);
  y = q.y + oltre * std::cos(q.rotta);
}

// One way of steering: how far ahead the plan aims, and the fewest metres a
// curvature is held unless the plan strays.
struct guida {
  double anticipo = 50.0;
  int32_t tenuta = 10;
};

// The levels of the points 2 onward, steering towards the track point
// `anticipo` metres ahead of the plan's own length; each point's level bends
// the step that reaches it.
std::vector<int> percorri_guidando(const tracciato& t, const guida& g, double& fine_arco) {
  std::vector<int> livelli{0, 0};
  double x2 = 0.0, y2 = 0.0, x1 = 0.0, y1 = 1.0, arco = 1.0;
  int livello = 0;
  int32_t tenuto = 0;
  size_t da = 0;
  const double totale = t.lunghezza();
  while (arco < totale) {
    const double dx = x1 - x2, dy = y1 - y2;
    double tx = 0.0, ty = 0.0;
    bersaglio(t, arco + g.anticipo, da, tx, ty);
    const double d = std::hypot(tx - x1, ty - y1);
    const double alfa = angolo_ridotto(std::atan2(tx - x1, ty - y1) - std::atan2(dx, dy));
    const double voluto = d > 0.0 ? 2.0 * std::sin(alfa) / d : 0.0;
    const int vicino = livello_vicino(voluto);
    const double salto = std::fabs(kappa_di(vicino) - kappa_di(livello));
    const double guadagno = std::fabs(voluto - kappa_di(livello)) - std::fabs(voluto - kappa_di(vicino));
    size_t qui = da;
    double px = 0.0, py = 0.0;
    bersaglio(t, arco, qui, px, py);
    const bool lontano = std::hypot(px - x1, py - y1) > 1.0;
    if (vicino != livello && guadagno > 0.3 * salto && (tenuto >= g.tenuta || lontano)) {
      livello = vicino;
      tenuto = 0;
    }
    ++tenuto;
    const double k = kappa_di(livello);
    const double x = (x1 + dx) + k * dy;
    const double y = (y1 + dy) - k * dx;
    arco += std::hypot(x - x1, y - y1);
    x2 = x1, y2 = y1, x1 = x, y1 = y;
    livelli.push_back(livello);
  }
  fine_arco = arco;
  return livelli;
}

// The rows of the levels: one per run of a curvature.
std::vector<curva_piano> righe_di(const std::vector<int>& livelli) {
  std::vector<curva_piano> curve;
  for (size_t k = 2; k < livelli.size();) {
    size_t fine = k;
    while (fine < livelli.size() && livelli[fine] == livelli[k]) ++fine;
    if (livelli[k] != 0) {
      curve.push_back({static_cast<int32_t>(k - 1), static_cast<int32_t>(fine - k), std::abs(livelli[k]),
                       livelli[k] < 0});
    }
    k = fine;
  }
  return curve;
}

}  // namespace

piano_punti simula_piano(const std::vector<curva_piano>& curve, int64_t ultimo) {
  std::vector<double> kappa(static_cast<size_t>(ultimo + 1), 0.0);
  for (const curva_piano& c : curve) {
    const double k = c.sinistra ? -kCurvature[static_cast<size_t>(c.cifra - 1)] : kCurvature[static_cast<size_t>(c.cifra - 1)];
    for (int64_t p = int64_t{c.inizio} + 1; p <= int64_t{c.inizio} + c.lunghezza && p <= ultimo; ++p) kappa[static_cast<size_t>(p)] = k;
  }
  piano_punti p;
  p.x = {0.0, 0.0};
  p.y = {0.0, 1.0};
  for (int64_t k = 2; k <= ultimo; ++k) {
    const size_t i = static_cast<size_t>(k);
    const double dx = p.x[i - 1] - p.x[i - 2], dy = p.y[i - 1] - p.y[i - 2];
    p.x.push_back((p.x[i - 1] + dx) + kappa[i] * dy);
    p.y.push_back((p.y[i - 1] + dy) - kappa[i] * dx);
  }
  p.arco = archi(p.x, p.y);
  return p;
}

std::vector<tratto_stretto> tratti_stretti(const tracciato& t, const piano_punti& p, const std::vector<double>& s,
                                           double tolleranza, std::vector<bool>& fuori) {
  std::vector<tratto_stretto> tratti;
  fuori.assign(s.size(), false);
  const std::vector<double> r = raggi_vertici(t);
  for (size_t i = 1; i + 1 < t.s.size();) {
    if (r[i] >= kRaggioMinimo) {
      ++i;
      continue;
    }
    size_t j = i;
    tratto_stretto x;
    x.raggio = r[i];
    while (j + 1 < t.s.size() && r[j] < kRaggioMinimo) x.raggio = std::min(x.raggio, r[j++]);
    x.da = punto_di_metro(p, t.s[i - 1]);
    x.a = punto_di_metro(p, t.s[std::min(j, t.s.size() - 1)]);
    size_t k = static_cast<size_t>(std::max(x.da, 0));
    // Back when within the tolerance for 50 points running.
    size_t dentro = 0;
    for (; k < s.size() && (k <= static_cast<size_t>(x.a) || dentro < 50); ++k) {
      dentro = s[k] <= tolleranza ? dentro + 1 : 0;
      x.scarto = std::max(x.scarto, s[k]);
      fuori[k] = true;
    }
    x.rientro = static_cast<int32_t>(k >= s.size() ? s.size() : k - std::min(dentro, k));
    tratti.push_back(x);
    i = j;
  }
  return tratti;
}

std::vector<double> archi(const std::vector<double>& x, const std::vector<double>& y) {
  std::vector<double> a(x.size(), 0.0);
  for (size_t i = 1; i < x.size(); ++i) a[i] = a[i - 1] + std::hypot(x[i] - x[i - 1], y[i] - y[i - 1]);
  return a;
}

std::vector<double> scarti(const tracciato& t, const piano_punti& p, int64_t ultimo) {
  std::vector<double> s;
  size_t da = 0;
  const int64_t fine = std::min<int64_t>(ultimo, static_cast<int64_t>(p.x.size()) - 1);
  for (int64_t k = 0; k <= fine; ++k) {
    const size_t i = static_cast<size_t>(k);
    s.push_back(distanza_tratto(t, p.x[i], p.y[i], p.arco[i] - 60.0, p.arco[i] + 60.0, da));
  }
  return s;
}

int32_t punto_di_metro(const piano_punti& p, double m) {
  auto it = std::lower_bound(p.arco.begin(), p.arco.end(), m);
  if (it == p.arco.end()) return static_cast<int32_t>(p.arco.size()) - 1;
  size_t k = static_cast<size_t>(it - p.arco.begin());
  if (k > 0 && m - p.arco[k - 1] < p.arco[k] - m) --k;
  return static_cast<int32_t>(k);
}

piano_adattato adatta_piano(const tracciato& t) {
  piano_adattato migliore;
  double scarto_migliore = std::numeric_limits<double>::infinity();
  size_t righe_migliori = std::numeric_limits<size_t>::max();
  for (double anticipo : {150.0, 110.0, 80.0, 60.0, 45.0, 35.0, 27.0, 20.0}) {
    for (int32_t tenuta : {25, 8}) {
      double fine_arco = 0.0;
      const std::vector<int> livelli = percorri_guidando(t, {anticipo, tenuta}, fine_arco);
      piano_adattato a;
      a.curve = righe_di(livelli);
      a.punti = simula_piano(a.curve, static_cast<int64_t>(livelli.size()) - 1);
      a.lunghezza = punto_di_metro(a.punti, t.lunghezza());
      const std::vector<double> s = scarti(t, a.punti, a.lunghezza);
      // Judged outside the tight stretches and the 500 m after each, where
      // the plan comes back.
      std::vector<bool> strette;
      for (const tratto_stretto& x : tratti_stretti(t, a.punti, s, 1.5, strette)) {
        for (size_t k = static_cast<size_t>(x.rientro); k < s.size() && k <= static_cast<size_t>(x.a) + 500; ++k) strette[k] = true;
        for (size_t k = static_cast<size_t>(x.a) + 500; k < s.size() && k < static_cast<size_t>(x.rientro); ++k) strette[k] = false;
      }
      double massimo = 0.0;
      for (size_t k = 0; k < s.size(); ++k) {
        if (!strette[k]) massimo = std::max(massimo, s[k]);
      }
      const bool entro = massimo <= 1.5;
      const bool meglio = entro ? (scarto_migliore > 1.5 || a.curve.size() < righe_migliori)
                                : (scarto_migliore > 1.5 && massimo < scarto_migliore);
      if (!meglio) continue;
      scarto_migliore = massimo;
      righe_migliori = a.curve.size();
      migliore = std::move(a);
    }
  }
  return migliore;
}

}  // namespace sb
