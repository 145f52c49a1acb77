#include "render/plan_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "inspect/json_text.h"
#include "documents/train_sheet_layout.h"
#include "render/plan_svg_parts.h"
#include "scene/chainage_ticks.h"

namespace sb {
namespace svg {

double disegno::x(double metri) const {
  const double ampiezza = std::max<double>(static_cast<double>(s.fine - s.inizio), 1);
  return sinistra() + (metri - static_cast<double>(s.inizio)) / ampiezza * (destra() - sinistra());
}

std::string n(double v) { return testo_decimale(v, 1); }

double passo_tondo(double ampiezza, int parti) {
  const double grezzo = ampiezza / parti;
  const double p = std::pow(10.0, std::floor(std::log10(std::max(grezzo, 1e-9))));
  for (double f : {1.0, 2.0, 5.0, 10.0}) {
    if (f * p >= grezzo) return f * p;
  }
  return 10 * p;
}

void segno(std::ostringstream& svg, simbolo forma, const char* colore, double x, double y, double r, bool pieno) {
  const std::string riempi = pieno ? colore : "#ffffff";
  switch (forma) {
    case simbolo::cerchio:
    case simbolo::punto:
      svg << "<circle cx=\"" << n(x) << "\" cy=\"" << n(y) << "\" r=\"" << n(r) << "\" fill=\"" << riempi
          << "\" stroke=\"" << colore << "\" stroke-width=\"1.5\"/>\n";
      return;
    case simbolo::quadrato:
      svg << "<rect x=\"" << n(x - r) << "\" y=\"" << n(y - r) << "\" width=\"" << n(2 * r) << "\" height=\""
          << n(2 * r) << "\" fill=\"" << riempi << "\"/>\n";
      return;
    case simbolo::rombo:
      svg << "<path d=\"M" << n(x) << " " << n(y - r - 1) << "L" << n(x + r + 1) << " " << n(y) << "L" << n(x)
          << " " << n(y + r + 1) << "L" << n(x - r - 1) << " " << n(y) << "Z\" fill=\"" << riempi << "\"/>\n";
      return;
    case simbolo::triangolo:
      svg << "<path d=\"M" << n(x) << " " << n(y + r) << "L" << n(x + r) << " " << n(y - r) << "L" << n(x - r)
          << " " << n(y - r) << "Z\" fill=\"" << riempi << "\"/>\n";
      return;
    case simbolo::barra:
      svg << "<rect x=\"" << n(x - r) << "\" y=\"" << n(y - 3) << "\" width=\"" << n(2 * r) << "\" height=\"6\""
          << " fill=\"" << riempi << "\"/>\n";
      return;
  }
}

riquadro riquadro_testo(double x, double y, double corpo, const std::string& utf8) {
  return riquadro_etichetta(x, y, corpo, larghezza_testo(utf8, corpo) + 2);
}

void testo(std::ostringstream& svg, double x, double y, double corpo, const char* colore, const std::string& utf8,
           const char* extra) {
  svg << "<text x=\"" << n(x + 1) << "\" y=\"" << n(y) << "\" font-size=\"" << n(corpo) << "\" fill=\"" << colore
      << "\"" << extra << ">" << xml_testo(utf8) << "</text>\n";
}

namespace {

const char* kGrigio = "#555555";

// A text placed when its box is free; says whether it was.
bool metti(disegno& d, double x, double y, double corpo, const char* colore, const std::string& utf8,
           const char* extra = "") {
  riquadro r = riquadro_testo(x, y, corpo, utf8);
  if (!r.dentro({0, 0, kLarghezza, 1e9}) || !d.etichette.prendi(r)) return false;
  testo(d.svg, x, y, corpo, colore, utf8, extra);
  return true;
}

void titolo(disegno& d) {
  std::string nome = d.s.nome_linea.empty() ? std::string("scenario") : d.s.nome_linea;
  if (!d.s.numero_treno.empty()) nome += " \xE2\x80\x94 train " + d.s.numero_treno;
  metti(d, kMargine, 34, 20, "#000000", nome, " font-weight=\"bold\"");
  char lunghezza[64];
  std::snprintf(lunghezza, sizeof lunghezza, "route %.1f km", static_cast<double>(d.s.lunghezza) / 1000);
  const double w = larghezza_testo(lunghezza, 13) + 2;
  metti(d, kLarghezza - kMargine - w, 34, 13, kGrigio, lunghezza);
}

// A kilometre axis: a tick and a label at every round step. Above the tracks
// the line's own kilometres as its posts write them ("12+000"), each tick
// titled with its route metres; below them the route's kilometres from its
// start.
void asse(disegno& d, double y, bool sotto) {
  const double ampiezza = static_cast<double>(d.s.fine - d.s.inizio);
  const double passo = std::max(passo_tondo(ampiezza, 12), 50.0);
  d.svg << "<line x1=\"" << n(d.sinistra()) << "\" y1=\"" << n(y) << "\" x2=\"" << n(d.destra()) << "\" y2=\""
        << n(y) << "\" stroke=\"#999999\"/>\n";
  const std::vector<tratto_progressiva> linea = sotto ? std::vector<tratto_progressiva>{} : d.s.progressive;
  for (const tacca_progressiva& t :
       tacche_progressiva(linea, static_cast<double>(d.s.inizio), static_cast<double>(d.s.fine), passo)) {
    const double x = d.x(t.metro);
    std::string etichetta;
    if (sotto) {
      char km[32];
      std::snprintf(km, sizeof km, "%g", t.metro / 1000 + 0.0);
      etichetta = km;
    } else {
      etichetta = chilometro_cippo(std::llround(t.progressiva));
      d.svg << "<g><title>km " << etichetta << ", route " << metri_leggibili(std::llround(t.metro)) << " m</title>";
    }
    d.svg << "<line x1=\"" << n(x) << "\" y1=\"" << n(y) << "\" x2=\"" << n(x) << "\" y2=\"" << n(sotto ? y + 5 : y - 5)
          << "\" stroke=\"" << kGrigio << "\"/>\n";
    const double w = larghezza_testo(etichetta, kCorpoPiccolo) + 2;
    metti(d, x - w / 2, sotto ? y + 16 : y - 8, kCorpoPiccolo, kGrigio, etichetta);
    if (!sotto) d.svg << "</g>\n";
  }
}

// The route's end and the compile's errors that point along it: a line down
// the tracks from the axis at y to the bottom, over them, each with its title.
void linee_segnate(disegno& d, double y, double fondo) {
  auto linea = [&](double metri, const char* colore, const char* tratteggio, const std::string& titolo) {
    const double x = std::clamp(d.x(metri), d.sinistra(), d.destra());
    d.svg << "<g><title>" << xml_testo(titolo) << "</title><line x1=\"" << n(x) << "\" y1=\"" << n(y) << "\" x2=\""
          << n(x) << "\" y2=\"" << n(fondo) << "\" stroke=\"" << colore << "\" stroke-width=\"1.5\" stroke-dasharray=\""
          << tratteggio << "\"/></g>\n";
  };
  linea(static_cast<double>(d.s.lunghezza), kColoreFine, "6,3", titolo_fine(d.s));
  for (const diagnostica_scena& g : d.s.diagnostiche) {
    if (g.metro >= 0) linea(static_cast<double>(g.metro), kColoreGuasto, "2,2", g.testo);
  }
}

// The marks on the axis at y, their labels placed before the ticks': each
// error that points along the route, a red triangle pointing down at its
// metre (at the edge when it lies beyond), then the route's end, a square.
// A label goes right of its mark, else left, else the same a row higher.
void segni_asse(disegno& d, double y) {
  auto etichetta = [&](double x, const char* colore, const std::string& testo) {
    const double w = larghezza_testo(testo, kCorpoPiccolo) + 2;
    for (double riga : {y - 8, y - 19}) {
      for (double a : {x + 3, x - w - 3}) {
        if (a + w <= d.destra() && metti(d, a, riga, kCorpoPiccolo, colore, testo, " font-weight=\"bold\"")) return;
      }
    }
  };
  for (const diagnostica_scena& g : d.s.diagnostiche) {
    if (g.metro < 0) continue;
    const double x = std::clamp(d.x(static_cast<double>(g.metro)), d.sinistra(), d.destra());
    d.svg << "<g class=\"fault\"><title>" << xml_testo(g.testo) << "</title>";
    segno(d.svg, simbolo::triangolo, kColoreGuasto, x, y - 1, 5.5);
    etichetta(x, kColoreGuasto, g.etichetta);
    d.svg << "</g>\n";
  }
  const double fine = std::clamp(d.x(static_cast<double>(d.s.lunghezza)), d.sinistra(), d.destra());
  d.svg << "<g class=\"route-end\"><title>" << xml_testo(titolo_fine(d.s)) << "</title>";
  segno(d.svg, simbolo::quadrato, kColoreFine, fine, y, 3.5);
  etichetta(fine, kColoreFine, etichetta_fine(d.s));
  d.svg << "</g>\n";
}

// The marks of one item in its track: a bar for a stretch, a symbol for a
// point; a slowdown's approach lighter, a curve above ("d") or below ("s").
void segni_elemento_senza_titolo(disegno& d, const traccia& t, const elemento_scena& e, double centro) {
  const double x0 = d.x(static_cast<double>(e.da)), x1 = std::max(d.x(static_cast<double>(e.a)), x0 + 1.5);
  if (t.genere == genere_elemento::stazione) {
    d.svg << "<rect x=\"" << n(x0) << "\" y=\"" << n(centro - 1.5) << "\" width=\"" << n(x1 - x0)
          << "\" height=\"3\" fill=\"" << t.colore << "\" fill-opacity=\"0.35\"/>\n";
    segno(d.svg, t.forma, t.colore, d.x(static_cast<double>(e.punto)), centro, e.variante ? 4 : 3.2, e.variante);
    return;
  }
  if (t.forma != simbolo::barra) {
    segno(d.svg, t.forma, t.colore, d.x(static_cast<double>(e.punto)), centro, 3.5);
    return;
  }
  if (e.avviso < e.da) {
    const double w = d.x(static_cast<double>(e.avviso));
    d.svg << "<rect x=\"" << n(w) << "\" y=\"" << n(centro - 2) << "\" width=\"" << n(std::max(x0 - w, 1.0))
          << "\" height=\"4\" fill=\"" << t.colore << "\" fill-opacity=\"0.35\"/>\n";
  }
  const double y = t.genere == genere_elemento::curva ? centro + (e.variante > 0 ? -6 : 1) : centro - 3;
  d.svg << "<rect x=\"" << n(x0) << "\" y=\"" << n(y) << "\" width=\"" << n(x1 - x0) << "\" height=\""
        << (t.genere == genere_elemento::curva ? "5" : "6") << "\" fill=\"" << t.colore << "\"/>\n";
}

// An item's marks with its title, which a viewer shows on hover: its kind,
// its kilometre on the train sheet and its route metres.
void segni_elemento(disegno& d, const traccia& t, const elemento_scena& e, double centro) {
  d.svg << "<g><title>" << xml_testo(titolo_elemento(e)) << "</title>";
  segni_elemento_senza_titolo(d, t, e, centro);
  d.svg << "</g>\n";
}

// A picture cannot zoom: station names may take this many lanes, more than
// the page gives them, before one is left out.
constexpr int kCorsieStazioni = 8;

// An item's label in the first lane where it overlaps nothing; none fits,
// none is drawn. Returns the lane taken, -1 for none.
int etichetta_elemento(disegno& d, const traccia& t, const elemento_scena& e, double alto) {
  if (e.etichetta.empty()) return -1;
  const double w = larghezza_testo(e.etichetta, kCorpoEtichette) + 2;
  double x = std::max(d.x(static_cast<double>(t.forma == simbolo::barra ? e.da : e.punto)) - 2, d.sinistra());
  if (x + w > d.destra()) x = d.destra() - w;
  const int corsie = t.genere == genere_elemento::stazione ? kCorsieStazioni : t.corsie;
  for (int corsia = 0; corsia < corsie; ++corsia) {
    const double base = alto + kPrimaCorsia + (corsia + 1) * kAltezzaCorsia - 3;
    if (metti(d, x, base, kCorpoEtichette, "#222222", e.etichetta)) return corsia;
  }
  return -1;
}

// One item track: title, marks, then labels by priority.
double traccia_elementi(disegno& d, const traccia& t, double alto) {
  metti(d, kMargine, alto + 13, kCorpoEtichette, t.colore, t.titolo, " font-weight=\"bold\"");
  std::vector<const elemento_scena*> elenco;
  double ultimo = -1e9;
  for (const elemento_scena& e : d.s.elementi) {
    if (e.genere != t.genere) continue;
    const double x = d.x(static_cast<double>(e.punto));
    // Marks closer than a pixel are one mark; stations are always drawn.
    if (t.genere != genere_elemento::stazione && t.forma != simbolo::barra && x - ultimo < 1) continue;
    ultimo = x;
    segni_elemento(d, t, e, alto + kCentroSegni);
    elenco.push_back(&e);
  }
  std::stable_sort(elenco.begin(), elenco.end(), [](const elemento_scena* a, const elemento_scena* b) {
    return a->priorita > b->priorita;
  });
  // As many lanes as the labels took: a picture keeps no room for zooming.
  int corsie = 0;
  for (const elemento_scena* e : elenco) corsie = std::max(corsie, etichetta_elemento(d, t, *e, alto) + 1);
  return alto + kPrimaCorsia + corsie * kAltezzaCorsia + 3;
}

// The scale of a chart: the span of its values, widened to round numbers.
struct scala_grafico {
  double minimo, massimo;
};

scala_grafico scala(const profilo_scena& p) {
  double lo = 0, hi = 0;
  for (const tratto_profilo& t : p.tratti) {
    lo = std::min<double>(lo, t.valore);
    hi = std::max<double>(hi, t.valore);
  }
  if (p.genere == genere_profilo::pendenza) {
    const double g = std::ceil((std::max(std::fabs(lo), std::fabs(hi)) + 1) / 5) * 5;
    return {-g, g};
  }
  return {std::floor(lo / 20) * 20, std::max(20.0, std::ceil((hi + 1) / 20) * 20)};
}

// One profile chart: a step line, the value scale at its left.
double traccia_profilo(disegno& d, const traccia& t, const profilo_scena& p, double alto) {
  const double h = t.altezza - 8, top = alto + 4;
  const scala_grafico sc = scala(p);
  auto y_di = [&](double v) { return top + (sc.massimo - v) / (sc.massimo - sc.minimo) * h; };
  metti(d, kMargine, alto + 13, kCorpoEtichette, t.colore, t.titolo, " font-weight=\"bold\"");
  d.svg << "<rect x=\"" << n(d.sinistra()) << "\" y=\"" << n(top) << "\" width=\"" << n(d.destra() - d.sinistra())
        << "\" height=\"" << n(h) << "\" fill=\"#fafafa\" stroke=\"#cccccc\"/>\n";
  const double passo = passo_tondo(sc.massimo - sc.minimo, 3);
  for (double v = std::ceil(sc.minimo / passo) * passo; v <= sc.massimo + 1e-9; v += passo) {
    d.svg << "<line x1=\"" << n(d.sinistra()) << "\" y1=\"" << n(y_di(v)) << "\" x2=\"" << n(d.destra())
          << "\" y2=\"" << n(y_di(v)) << "\" stroke=\"" << (v == 0 ? "#999999" : "#e4e4e4") << "\"/>\n";
    char t_v[32];
    std::snprintf(t_v, sizeof t_v, "%g", v);
    const double w = larghezza_testo(t_v, kCorpoPiccolo) + 2;
    metti(d, d.sinistra() - 5 - w, y_di(v) + 3.5, kCorpoPiccolo, kGrigio, t_v);
  }
  d.svg << "<path fill=\"none\" stroke=\"" << t.colore << "\" stroke-width=\"1.6\" d=\"";
  bool primo = true;
  for (const tratto_profilo& r : p.tratti) {
    const double y = y_di(std::clamp<double>(r.valore, sc.minimo, sc.massimo));
    d.svg << (primo ? "M" : "L") << n(d.x(static_cast<double>(r.da))) << " " << n(y) << "H"
          << n(d.x(static_cast<double>(r.a)));
    primo = false;
  }
  d.svg << "\"/>\n";
  return alto + t.altezza;
}

// A dashed line down the tracks at every station.
void linee_stazioni(disegno& d, double alto, double fondo) {
  for (const elemento_scena& e : d.s.elementi) {
    if (e.genere != genere_elemento::stazione) continue;
    const double x = d.x(static_cast<double>(e.punto));
    d.svg << "<line x1=\"" << n(x) << "\" y1=\"" << n(alto) << "\" x2=\"" << n(x) << "\" y2=\"" << n(fondo)
          << "\" stroke=\"#2a6f2a\" stroke-opacity=\"0.25\" stroke-dasharray=\"3,3\"/>\n";
  }
}

// Every track the scene uses, between two kilometre axes.
double tracce_scena(disegno& d, double alto) {
  double y = alto + 22;
  segni_asse(d, y);
  asse(d, y, false);
  metti(d, kMargine, y - 8, kCorpoPiccolo, kGrigio, "km of the line");
  std::ostringstream righe;
  std::swap(righe, d.svg);
  for (const traccia& t : tracce()) {
    if (!traccia_usata(d.s, t)) continue;
    d.svg << "<line x1=\"" << n(kMargine) << "\" y1=\"" << n(y) << "\" x2=\"" << n(d.destra()) << "\" y2=\""
          << n(y) << "\" stroke=\"#eeeeee\"/>\n";
    if (!t.profilo) {
      y = traccia_elementi(d, t, y);
      continue;
    }
    for (const profilo_scena& p : d.s.profili) {
      if (p.genere == t.genere_p) y = traccia_profilo(d, t, p, y);
    }
  }
  y = tracce_marcia(d, y);
  std::swap(righe, d.svg);
  linee_stazioni(d, alto + 22, y);
  d.svg << righe.str();
  linee_segnate(d, alto + 22, y);
  asse(d, y + 2, true);
  const std::string didascalia = "km from the start of the route";
  metti(d, (d.sinistra() + d.destra() - larghezza_testo(didascalia, kCorpoEtichette)) / 2, y + 34, kCorpoEtichette, kGrigio, didascalia);
  return y + 40;
}

// The legend's entry of the marks on the axis: an error or a timetable
// finding where it points, when the picture has any.
void legenda_rilievi(disegno& d, double& x, double& y) {
  const bool segnati = std::any_of(d.s.diagnostiche.begin(), d.s.diagnostiche.end(),
                                   [](const diagnostica_scena& g) { return g.metro >= 0; });
  if (!segnati) return;
  const char* nome = kDidascaliaRilievi;
  const double w = larghezza_testo(nome, kCorpoEtichette) + 30;
  if (x + w > kLarghezza - kMargine) {
    x = kMargine;
    y += 18;
  }
  segno(d.svg, simbolo::triangolo, kColoreGuasto, x + 7, y - 4, 5.5);
  metti(d, x + 18, y, kCorpoEtichette, "#222222", nome);
  x += w;
}

// The legend: every kind and profile drawn, with its mark.
double legenda(disegno& d, double alto) {
  double x = kMargine, y = alto + 12;
  auto voce = [&](const traccia& t, const char* nome, bool pieno) {
    const double w = larghezza_testo(nome, kCorpoEtichette) + 30;
    if (x + w > kLarghezza - kMargine) {
      x = kMargine;
      y += 18;
    }
    if (t.profilo) {
      d.svg << "<line x1=\"" << n(x) << "\" y1=\"" << n(y - 4) << "\" x2=\"" << n(x + 14) << "\" y2=\"" << n(y - 4)
            << "\" stroke=\"" << t.colore << "\" stroke-width=\"2\"/>\n";
    } else {
      segno(d.svg, t.forma, t.colore, x + 7, y - 4, t.forma == simbolo::barra ? 7 : 4, pieno);
    }
    metti(d, x + 18, y, kCorpoEtichette, "#222222", nome);
    x += w;
  };
  for (const traccia& t : tracce()) {
    if (!traccia_usata(d.s, t)) continue;
    if (t.genere != genere_elemento::stazione || t.profilo) {
      voce(t, t.titolo, true);
      continue;
    }
    bool ferma = false, passa = false;
    for (const elemento_scena& e : d.s.elementi) {
      if (e.genere != genere_elemento::stazione) continue;
      ferma |= e.variante != 0;
      passa |= e.variante == 0;
    }
    if (ferma) voce(t, "station where the train stops", true);
    if (passa) voce(t, "station passed", false);
  }
  legenda_rilievi(d, x, y);
  return y + 10;
}

}  // namespace
}  // namespace svg

std::string disegna_pianta(const scena& s) {
  svg::disegno d{s, {}, {}};
  svg::titolo(d);
  double y = svg::mappa(d, 46);
  y = svg::tracce_scena(d, y);
  y = svg::legenda(d, y);
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << svg::n(svg::kLarghezza) << "\" height=\""
      << svg::n(y + 10) << "\" viewBox=\"0 0 " << svg::n(svg::kLarghezza) << " " << svg::n(y + 10)
      << "\" font-family=\"" << kCarattere << "\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
      << d.svg.str() << "</svg>\n";
  return out.str();
}

}  // namespace sb
