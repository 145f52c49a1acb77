// The map of the SVG picture: the track from the plan's outline, montagna
// spans and slowdowns along it, signals and signs on it, kilometre marks,
// the stations named where a name fits, and a scale bar.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "documents/train_sheet_layout.h"
#include "render/plan_svg_parts.h"
#include "scenario/checked_conversion.h"
#include "scene/chainage_ticks.h"

namespace sb::svg {
namespace {

constexpr double kSpazio = 100;       // room for names above and below the track
constexpr double kAltezzaMassima = 340;
// The most boxes one segment of the track takes (a damaged plan may hold
// segments longer than any picture).
constexpr int64_t kMassimiPassiTraccia = 4096;
constexpr double kBordo = 20;         // between the page's margin and the track

struct punto {
  double x = 0;
  double y = 0;
};

// Plan coordinates to the page.
struct vista_mappa {
  double scala = 1, ox = 0, oy = 0, x_min = 0, y_max = 0;

  punto pagina(double x, double y) const { return {ox + (x - x_min) * scala, oy + (y_max - y) * scala}; }
};

// The plan point at a route metre, between the finest level's points.
std::optional<punto> in_pianta(const contorno_pianta& c, double metro) {
  const std::vector<punto_contorno>& p = c.livelli.front().punti;
  if (metro < static_cast<double>(p.front().metro) || metro > static_cast<double>(p.back().metro)) {
    return std::nullopt;
  }
  auto dopo = std::lower_bound(p.begin(), p.end(), metro,
                               [](const punto_contorno& q, double m) { return static_cast<double>(q.metro) < m; });
  if (dopo == p.begin()) return punto{dopo->x, dopo->y};
  auto prima = dopo - 1;
  const double t = (metro - static_cast<double>(prima->metro)) / static_cast<double>(dopo->metro - prima->metro);
  return punto{prima->x + t * (dopo->x - prima->x), prima->y + t * (dopo->y - prima->y)};
}

// The page points of the track from metre da to a, at the level of detail.
std::vector<punto> tratto(const contorno_pianta& c, const livello_contorno& l, const vista_mappa& v, double da,
                          double a) {
  std::vector<punto> out;
  if (std::optional<punto> p = in_pianta(c, da)) out.push_back(v.pagina(p->x, p->y));
  for (const punto_contorno& q : l.punti) {
    if (static_cast<double>(q.metro) > da && static_cast<double>(q.metro) < a) out.push_back(v.pagina(q.x, q.y));
  }
  if (std::optional<punto> p = in_pianta(c, a)) out.push_back(v.pagina(p->x, p->y));
  return out;
}

void linea(std::ostringstream& svg, const std::vector<punto>& p, const char* colore, double spessore,
           double opacita) {
  if (p.size() < 2) return;
  svg << "<polyline fill=\"none\" stroke=\"" << colore << "\" stroke-width=\"" << n(spessore)
      << "\" stroke-opacity=\"" << n(opacita) << "\" stroke-linejoin=\"round\" points=\"";
  for (const punto& q : p) svg << n(q.x) << "," << n(q.y) << " ";
  svg << "\"/>\n";
}

// The track's boxes, every few pixels along it, so that names keep clear.
void occupa_traccia(disegno& d, const std::vector<punto>& p) {
  for (size_t k = 1; k < p.size(); ++k) {
    const double l = std::hypot(p[k].x - p[k - 1].x, p[k].y - p[k - 1].y);
    const int64_t passi = intero_limitato(l / 4, 1, kMassimiPassiTraccia);
    for (int64_t j = 0; j <= passi; ++j) {
      const double t = static_cast<double>(j) / static_cast<double>(passi);
      const double x = p[k - 1].x + (p[k].x - p[k - 1].x) * t;
      const double y = p[k - 1].y + (p[k].y - p[k - 1].y) * t;
      d.etichette.occupa({x - 2, y - 2, x + 2, y + 2});
    }
  }
}

const traccia& traccia_di(genere_elemento g) {
  for (const traccia& t : tracce()) {
    if (!t.profilo && t.genere == g) return t;
  }
  return tracce().front();
}

// A small label next to its point, on the first side where it fits.
bool etichetta_vicina(disegno& d, punto p, const std::string& t, double corpo, const char* colore,
                      const riquadro& area) {
  const double w = larghezza_testo(t, corpo) + 2;
  for (double s : {5.0, 12.0}) {
    for (punto o : {punto{s, 0.3 * corpo}, punto{-s - w, 0.3 * corpo}, punto{-w / 2, -s}, punto{-w / 2, s + corpo}}) {
      riquadro r = riquadro_testo(p.x + o.x, p.y + o.y, corpo, t);
      if (!r.dentro(area) || !d.etichette.prendi(r)) continue;
      testo(d.svg, p.x + o.x, p.y + o.y, corpo, colore, t);
      return true;
    }
  }
  return false;
}

// The small boxes along a leader line from a to b, leaving out its first
// `salto` pixels.
std::vector<riquadro> lungo(punto a, punto b, double salto) {
  std::vector<riquadro> out;
  const double l = std::hypot(b.x - a.x, b.y - a.y);
  for (double t = salto; t <= l; t += 3) {
    const double x = a.x + (b.x - a.x) * t / l, y = a.y + (b.y - a.y) * t / l;
    out.push_back({x - 1, y - 1, x + 1, y + 1});
  }
  return out;
}

// A station's name above or below it, as close as it fits, further away or
// to one side with a leader line; left out when it fits nowhere.
void nome_stazione(disegno& d, punto p, const std::string& nome, int lato_preferito, const riquadro& area) {
  const double corpo = kCorpoEtichette, w = larghezza_testo(nome, corpo) + 2, h = corpo * 1.22;
  for (double distanza = 7; distanza <= kSpazio; distanza += 5) {
    for (int lato : {lato_preferito, -lato_preferito}) {
      for (double x0 : {p.x - 6, p.x + 6 - w, p.x + 14, p.x - 14 - w, p.x + 40, p.x - 40 - w}) {
        const double base = lato < 0 ? p.y - distanza : p.y + distanza + h - 3;
        riquadro r = riquadro_testo(x0, base, corpo, nome);
        if (!r.dentro(area) || !d.etichette.libero(r)) continue;
        const punto fine{std::clamp(p.x, r.x0 + 2, r.x1 - 2), lato < 0 ? r.y1 : r.y0};
        const bool richiamo = distanza > 10 || fine.x != p.x;
        std::vector<riquadro> guida = richiamo ? lungo(p, fine, 7) : std::vector<riquadro>{};
        if (!std::all_of(guida.begin(), guida.end(), [&](const riquadro& g) { return d.etichette.libero(g); })) {
          continue;
        }
        d.etichette.occupa(r);
        for (const riquadro& g : guida) d.etichette.occupa(g);
        if (richiamo) {
          const double l = std::hypot(fine.x - p.x, fine.y - p.y);
          d.svg << "<line x1=\"" << n(p.x + (fine.x - p.x) * 6 / l) << "\" y1=\"" << n(p.y + (fine.y - p.y) * 6 / l)
                << "\" x2=\"" << n(fine.x) << "\" y2=\"" << n(fine.y)
                << "\" stroke=\"#2a6f2a\" stroke-opacity=\"0.6\" stroke-width=\"0.8\"/>\n";
        }
        testo(d.svg, x0, base, corpo, "#1d4d1d", nome, " font-weight=\"bold\"");
        return;
      }
    }
  }
}

// Montagna spans and slowdowns as broad strokes under the track.
void tratti_evidenziati(disegno& d, const livello_contorno& l, const vista_mappa& v) {
  for (const elemento_scena& e : d.s.elementi) {
    if (e.genere == genere_elemento::montagna) {
      linea(d.svg, tratto(d.s.contorno, l, v, static_cast<double>(e.da), static_cast<double>(e.a)),
            traccia_di(e.genere).colore, 8, 0.35);
    } else if (e.genere == genere_elemento::rallentamento) {
      linea(d.svg, tratto(d.s.contorno, l, v, static_cast<double>(e.da), static_cast<double>(e.a)),
            traccia_di(e.genere).colore, 7, 0.7);
    }
  }
}

// Signals, sign boards and indicators as small marks on the track.
void segni_mappa(disegno& d, const vista_mappa& v) {
  for (const elemento_scena& e : d.s.elementi) {
    if (e.genere != genere_elemento::segnale && e.genere != genere_elemento::cartello &&
        e.genere != genere_elemento::indicatore) {
      continue;
    }
    std::optional<punto> p = in_pianta(d.s.contorno, static_cast<double>(e.punto));
    if (!p) continue;
    const punto q = v.pagina(p->x, p->y);
    const traccia& t = traccia_di(e.genere);
    segno(d.svg, t.forma, t.colore, q.x, q.y, 2.4);
    d.etichette.occupa({q.x - 3, q.y - 3, q.x + 3, q.y + 3});
  }
}

// A tick at every round step of the line's kilometres, with its label where
// it fits.
void chilometri(disegno& d, const vista_mappa& v, const riquadro& area) {
  const double passo = std::max(passo_tondo(static_cast<double>(d.s.lunghezza), 8), 100.0);
  std::vector<std::pair<punto, std::string>> segni;
  for (const tacca_progressiva& t :
       tacche_progressiva(d.s.progressive, 0, static_cast<double>(d.s.lunghezza), passo)) {
    std::optional<punto> p = in_pianta(d.s.contorno, t.metro);
    if (!p) continue;
    const punto q = v.pagina(p->x, p->y);
    d.svg << "<circle cx=\"" << n(q.x) << "\" cy=\"" << n(q.y) << "\" r=\"2.5\" fill=\"#ffffff\" stroke=\"#333333\"/>\n";
    segni.push_back({q, "km " + chilometro_cippo(std::llround(t.progressiva))});
  }
  for (const auto& [q, t] : segni) etichetta_vicina(d, q, t, kCorpoPiccolo, "#666666", area);
}

// The stations' circles, then their names by priority.
void stazioni(disegno& d, const vista_mappa& v, const riquadro& area) {
  const traccia& t = traccia_di(genere_elemento::stazione);
  std::vector<std::pair<punto, const elemento_scena*>> elenco;
  for (const elemento_scena& e : d.s.elementi) {
    if (e.genere != genere_elemento::stazione) continue;
    std::optional<punto> p = in_pianta(d.s.contorno, static_cast<double>(e.punto));
    if (!p) continue;
    const punto q = v.pagina(p->x, p->y);
    segno(d.svg, simbolo::cerchio, t.colore, q.x, q.y, e.variante ? 5 : 3.8, e.variante != 0);
    d.etichette.occupa({q.x - 6, q.y - 6, q.x + 6, q.y + 6});
    elenco.push_back({q, &e});
  }
  std::stable_sort(elenco.begin(), elenco.end(), [](const auto& a, const auto& b) {
    if (a.second->priorita != b.second->priorita) return a.second->priorita > b.second->priorita;
    return a.first.x > b.first.x;
  });
  int lato = -1;
  for (const auto& [q, e] : elenco) {
    nome_stazione(d, q, e->etichetta, lato, area);
    lato = -lato;
  }
}

// A bar of a round length, about 120 pixels, with its length written.
void scala_grafica(disegno& d, const vista_mappa& v, double y) {
  const double metri = passo_tondo(120 / v.scala, 1);
  const double w = metri * v.scala;
  d.svg << "<path d=\"M" << n(kMargine) << " " << n(y - 4) << "V" << n(y) << "H" << n(kMargine + w) << "V"
        << n(y - 4) << "\" fill=\"none\" stroke=\"#333333\" stroke-width=\"1.5\"/>\n";
  char t[32];
  if (metri >= 1000) std::snprintf(t, sizeof t, "%g km", metri / 1000);
  else std::snprintf(t, sizeof t, "%g m", metri);
  const std::string etichetta = t;
  riquadro r = riquadro_testo(kMargine + w + 6, y + 1, kCorpoPiccolo, etichetta);
  if (d.etichette.prendi(r)) testo(d.svg, kMargine + w + 6, y + 1, kCorpoPiccolo, "#333333", etichetta);
}

}  // namespace

double mappa(disegno& d, double alto) {
  const contorno_pianta& c = d.s.contorno;
  if (c.vuoto()) return alto;
  const double larghezza = kLarghezza - 2 * (kMargine + kBordo);
  vista_mappa v;
  v.scala = std::min(larghezza / std::max(c.x_max - c.x_min, 1.0), kAltezzaMassima / std::max(c.y_max - c.y_min, 1.0));
  v.x_min = c.x_min;
  v.y_max = c.y_max;
  v.ox = kMargine + kBordo + (larghezza - (c.x_max - c.x_min) * v.scala) / 2;
  v.oy = alto + kSpazio;
  const double fondo = v.oy + (c.y_max - c.y_min) * v.scala + kSpazio;
  riquadro area{kMargine, alto, kLarghezza - kMargine, fondo};
  const livello_contorno* l = &c.livelli.front();
  for (const livello_contorno& q : c.livelli) {
    if (q.tolleranza * v.scala <= 0.3) l = &q;
  }
  // The map is drawn apart with boxes of its own, once to find where its
  // labels reach, then again moved up to sit just under what stands above.
  std::ostringstream sopra;
  posatore_etichette fuori;
  std::swap(sopra, d.svg);
  std::swap(fuori, d.etichette);
  riquadro usato{};
  for (int volta = 0; volta < 2; ++volta) {
    d.svg.str("");
    d.etichette = posatore_etichette();
    tratti_evidenziati(d, *l, v);
    std::vector<punto> pagina;
    for (const punto_contorno& q : l->punti) pagina.push_back(v.pagina(q.x, q.y));
    linea(d.svg, pagina, "#333333", 2.5, 1);
    occupa_traccia(d, pagina);
    segni_mappa(d, v);
    chilometri(d, v, area);
    stazioni(d, v, area);
    usato = d.etichette.limiti();
    const double spostamento = alto + 6 - usato.y0;
    v.oy += spostamento;
    area.y0 += spostamento;
    area.y1 += spostamento;
  }
  std::swap(sopra, d.svg);
  std::swap(fuori, d.etichette);
  d.svg << sopra.str();
  scala_grafica(d, v, usato.y1 + 16);
  return usato.y1 + 24;
}

}  // namespace sb::svg
