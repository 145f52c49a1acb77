#include "line/line_plan.h"

#include <algorithm>

#include "scenario/format.h"
#include "scenario/plan_encoding.h"
#include "text_input/keywords.h"

namespace sb {
namespace {

double come_reale(const valore_variante& v) {
  switch (v.tipo) {
    case tipo_variante::intero: return static_cast<double>(v.intero);
    case tipo_variante::reale: return v.reale;
    case tipo_variante::vuoto: return 0.0;
  }
  return 0.0;
}

// Extends the plan from the cursor up to `ultimo` (kept inside the plan),
// each new point computed by `punto` from the previous point and the last
// step, and written straight into the plan's bytes.
template <typename Punto>
void estendi(griglia_codificata& g, int64_t ultimo, Punto punto) {
  const int64_t fine = std::min(ultimo, ultimo_punto(g));
  if (!g.seminata || g.chiusa || g.prossimo > fine) return;
  fai_posto(g, fine);
  const int64_t k0 = g.prossimo;
  double x2 = come_reale(punto_griglia(g, 0, k0 - 2));
  double y2 = come_reale(punto_griglia(g, 1, k0 - 2));
  double x1 = come_reale(punto_griglia(g, 0, k0 - 1));
  double y1 = come_reale(punto_griglia(g, 1, k0 - 1));
  char* px = g.byte.data() + scarto_punto(k0);
  char* py = g.byte.data() + g.inizio_y + scarto_punto(k0);
  for (int64_t k = k0; k <= fine; ++k) {
    double x;
    double y;
    punto(x1, y1, x1 - x2, y1 - y2, x, y);
    px = metti_reale(px, x);
    py = metti_reale(py, y);
    x2 = x1;
    y2 = y1;
    x1 = x;
    y1 = y;
  }
  g.prossimo = fine + 1;
}

}  // namespace

void crea_griglia(griglia_codificata& griglia, int32_t lunghezza) {
  prepara_griglia(griglia, int64_t{lunghezza} + kMarginePiano + 1);
}

void semina_griglia(griglia_codificata& griglia) { scrivi_semi(griglia); }

int64_t ultimo_punto(const griglia_codificata& griglia) { return griglia.punti - 1; }

void estendi_dritto(griglia_codificata& griglia, int64_t ultimo) {
  estendi(griglia, ultimo, [](double x1, double y1, double dx, double dy, double& x, double& y) {
    x = x1 + dx;
    y = y1 + dy;
  });
}

void estendi_curva(griglia_codificata& griglia, int64_t ultimo, double kappa) {
  estendi(griglia, ultimo, [kappa](double x1, double y1, double dx, double dy, double& x, double& y) {
    x = (x1 + dx) + kappa * dy;
    y = (y1 + dy) - kappa * dx;
  });
}

double curvatura(std::string_view parola_chiave) {
  static constexpr double kCurvature[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  for (int cifra = 1; cifra <= 6; ++cifra) {
    if (parola_chiave.find(static_cast<char>('0' + cifra)) == std::string_view::npos) continue;
    const double kappa = kCurvature[cifra - 1];
    return contiene_nc(parola_chiave, "s") ? -kappa : kappa;
  }
  return 0.0;
}

}  // namespace sb
