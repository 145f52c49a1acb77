// The fastest run's two charts under the profiles: speed against distance
// (the limit and the run under it) and time against distance (the
// timetable and the run).
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/plan_svg_parts.h"

namespace sb::svg {
namespace {

constexpr double kAltezzaGrafico = 120;
constexpr const char* kColoreLimite = "#b03a2e";
constexpr const char* kColoreCorsa = "#1f5fa8";
constexpr const char* kColoreOrario = "#2a7a2a";
constexpr const char* kGrigioScala = "#555555";

// A chart's frame, its title and a key of two lines in the gutter, and its
// scale: a grid line and its value at every round step from 0 to massimo.
// Returns the y of a value.
struct grafico {
  double alto = 0, h = 0, massimo = 1;
  double y(double v) const { return alto + 4 + (massimo - std::clamp(v, 0.0, massimo)) / massimo * h; }
};

grafico cornice(disegno& d, double alto, double massimo, const char* titolo,
                const std::pair<const char*, const char*> (&chiave)[2]) {
  grafico g{alto, kAltezzaGrafico - 14, std::max(massimo, 1.0)};  // room under it for its lowest value
  const double top = alto + 4;
  testo(d.svg, kMargine, alto + 13, 11, "#222222", titolo, " font-weight=\"bold\"");
  for (size_t k = 0; k < 2; ++k) {
    const double yk = alto + 30 + 15 * static_cast<double>(k);
    d.svg << "<line x1=\"" << n(kMargine) << "\" y1=\"" << n(yk - 4) << "\" x2=\"" << n(kMargine + 14) << "\" y2=\""
          << n(yk - 4) << "\" stroke=\"" << chiave[k].second << "\" stroke-width=\"2\"/>\n";
    testo(d.svg, kMargine + 18, yk, 10, kGrigioScala, chiave[k].first);
  }
  d.svg << "<rect x=\"" << n(d.sinistra()) << "\" y=\"" << n(top) << "\" width=\"" << n(d.destra() - d.sinistra())
        << "\" height=\"" << n(g.h) << "\" fill=\"#fafafa\" stroke=\"#cccccc\"/>\n";
  const double passo = passo_tondo(g.massimo, 3);
  for (double v = 0; v <= g.massimo + 1e-9; v += passo) {
    d.svg << "<line x1=\"" << n(d.sinistra()) << "\" y1=\"" << n(g.y(v)) << "\" x2=\"" << n(d.destra())
          << "\" y2=\"" << n(g.y(v)) << "\" stroke=\"#e4e4e4\"/>\n";
    char t[32];
    std::snprintf(t, sizeof t, "%g", v);
    testo(d.svg, d.sinistra() - 7 - larghezza_testo(t, 10), g.y(v) + 3.5, 10, kGrigioScala, t);
  }
  return g;
}

// The speed limit as steps and the fastest run under it.
double grafico_velocita(disegno& d, double alto) {
  const std::vector<punto_marcia>& p = d.s.marcia.punti;
  double massimo = 0;
  for (const punto_marcia& x : p) massimo = std::max({massimo, x.limite_kmh, x.velocita_kmh});
  const std::pair<const char*, const char*> chiave[2] = {{"speed limit", kColoreLimite}, {"fastest run", kColoreCorsa}};
  const grafico g = cornice(d, alto, std::ceil((massimo + 1) / 20) * 20, "speed, km/h", chiave);
  d.svg << "<path class=\"run-limit\" fill=\"none\" stroke=\"" << kColoreLimite << "\" stroke-width=\"1.2\" d=\"";
  for (size_t k = 0; k < p.size(); ++k) {
    const double fine = k + 1 < p.size() ? static_cast<double>(p[k + 1].metro) : static_cast<double>(p[k].metro);
    d.svg << (k == 0 ? "M" : "V") << (k == 0 ? n(d.x(static_cast<double>(p[k].metro))) + " " : "")
          << n(g.y(p[k].limite_kmh)) << "H" << n(d.x(fine));
  }
  d.svg << "\"/>\n<path class=\"run-speed\" fill=\"none\" stroke=\"" << kColoreCorsa << "\" stroke-width=\"1.6\" d=\"";
  for (size_t k = 0; k < p.size(); ++k) {
    d.svg << (k == 0 ? "M" : "L") << n(d.x(static_cast<double>(p[k].metro))) << " " << n(g.y(p[k].velocita_kmh));
  }
  d.svg << "\"/>\n";
  return alto + kAltezzaGrafico;
}

// The fastest run's time and the timetable's, in minutes from the departure.
double grafico_tempo(disegno& d, double alto) {
  const marcia_scena& m = d.s.marcia;
  double massimo = 0;
  for (const punto_marcia& x : m.punti) {
    if (std::isfinite(x.tempo_s)) massimo = std::max(massimo, x.tempo_s / 60);
  }
  for (const orario_marcia& o : m.orari) massimo = std::max(massimo, o.partenza_prevista / 60);
  const std::pair<const char*, const char*> chiave[2] = {{"timetable", kColoreOrario}, {"fastest run", kColoreCorsa}};
  const grafico g = cornice(d, alto, std::ceil((massimo + 1) / 10) * 10, "time, min", chiave);
  d.svg << "<path class=\"run-timetable\" fill=\"none\" stroke=\"" << kColoreOrario << "\" stroke-width=\"1.6\" d=\"";
  for (size_t k = 0; k < m.orari.size(); ++k) {
    const double x = d.x(static_cast<double>(m.orari[k].metro));
    d.svg << (k == 0 ? "M" : "L") << n(x) << " " << n(g.y(m.orari[k].arrivo_previsto / 60)) << "L" << n(x) << " "
          << n(g.y(m.orari[k].partenza_prevista / 60));
  }
  d.svg << "\"/>\n<path class=\"run-time\" fill=\"none\" stroke=\"" << kColoreCorsa << "\" stroke-width=\"1.6\" d=\"";
  bool primo = true;
  for (const punto_marcia& x : m.punti) {
    if (!std::isfinite(x.tempo_s)) break;
    d.svg << (primo ? "M" : "L") << n(d.x(static_cast<double>(x.metro))) << " " << n(g.y(x.tempo_s / 60));
    primo = false;
  }
  d.svg << "\"/>\n";
  for (const orario_marcia& o : m.orari) {
    segno(d.svg, simbolo::cerchio, kColoreOrario, d.x(static_cast<double>(o.metro)), g.y(o.arrivo_previsto / 60), 2.5);
  }
  return alto + kAltezzaGrafico;
}

}  // namespace

double tracce_marcia(disegno& d, double alto) {
  if (d.s.marcia.punti.empty()) return alto;
  const double y = grafico_velocita(d, alto);
  return grafico_tempo(d, y);
}

}  // namespace sb::svg
