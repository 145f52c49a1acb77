#include "line/line_plan.h"

#include <algorithm>

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

valore_variante reale(double v) { return {tipo_variante::reale, 0, v}; }

valore_variante intero(int16_t v) { return {tipo_variante::intero, v, 0.0}; }

// The last point to compute: `ultimo`, kept inside the plan.
int64_t limite(const griglia_linea& griglia, int64_t ultimo) {
  return std::min(ultimo, ultimo_punto(griglia));
}

}  // namespace

void crea_griglia(griglia_linea& griglia, int32_t lunghezza) {
  const size_t punti = static_cast<size_t>(int64_t{lunghezza} + kMarginePiano + 1);
  griglia.x.assign(punti, valore_variante{});
  griglia.y.assign(punti, valore_variante{});
}

void semina_griglia(griglia_linea& griglia) {
  if (griglia.x.size() < 2) return;
  griglia.x[0] = intero(0);
  griglia.y[0] = intero(0);
  griglia.x[1] = intero(0);
  griglia.y[1] = intero(1);
}

int64_t ultimo_punto(const griglia_linea& griglia) { return static_cast<int64_t>(griglia.x.size()) - 1; }

namespace {

// Extends the plan from the cursor up to `ultimo` (kept inside the plan), each
// new point computed by `punto` from the previous point and the last step.
template <typename Punto>
void estendi(griglia_linea& griglia, int64_t& cursore, int64_t ultimo, Punto punto) {
  const int64_t fine = limite(griglia, ultimo);
  if (cursore < 2 || cursore > fine) return;
  valore_variante* px = griglia.x.data();
  valore_variante* py = griglia.y.data();
  double x2 = come_reale(px[cursore - 2]);
  double y2 = come_reale(py[cursore - 2]);
  double x1 = come_reale(px[cursore - 1]);
  double y1 = come_reale(py[cursore - 1]);
  for (int64_t k = cursore; k <= fine; ++k) {
    double x;
    double y;
    punto(x1, y1, x1 - x2, y1 - y2, x, y);
    px[k] = reale(x);
    py[k] = reale(y);
    x2 = x1;
    y2 = y1;
    x1 = x;
    y1 = y;
  }
  cursore = fine + 1;
}

}  // namespace

void estendi_dritto(griglia_linea& griglia, int64_t& cursore, int64_t ultimo) {
  estendi(griglia, cursore, ultimo, [](double x1, double y1, double dx, double dy, double& x, double& y) {
    x = x1 + dx;
    y = y1 + dy;
  });
}

void estendi_curva(griglia_linea& griglia, int64_t& cursore, int64_t ultimo, double kappa) {
  estendi(griglia, cursore, ultimo, [kappa](double x1, double y1, double dx, double dy, double& x, double& y) {
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
