#include "tools/plan_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>
#include <vector>

#include "tools/cell_meaning.h"
#include "tools/json_text.h"
#include "tools/utf8_input.h"

namespace sb {
namespace {

constexpr double kLarghezza = 1200;
constexpr double kMargine = 60;
constexpr double kAltezzaMappaMax = 460;
constexpr double kSpazioEtichette = 240;  // above and below the track
constexpr double kCorpo = 12;            // label font size
constexpr double kLarghezzaCarattere = 6.8;
constexpr double kMetriCella = 50;
constexpr const char* kCarattere = "DejaVu Sans, Verdana, Arial, sans-serif";

struct punto {
  double x = 0;
  double y = 0;
};

struct rettangolo {
  double x0, y0, x1, y1;
  bool sovrappone(const rettangolo& r) const { return x0 < r.x1 && r.x0 < x1 && y0 < r.y1 && r.y0 < y1; }
};

std::string n(double v) {
  char t[32];
  std::snprintf(t, sizeof t, "%.1f", v);
  return t;
}

double coordinata(const valore_variante& v) {
  return v.tipo == tipo_variante::intero ? v.intero : v.reale;
}

// The plan's point at metre m, when it holds one.
std::optional<punto> punto_a(const griglia_linea& g, int64_t m) {
  if (m < 0 || static_cast<size_t>(m) >= g.x.size()) return std::nullopt;
  const valore_variante& x = g.x[static_cast<size_t>(m)];
  const valore_variante& y = g.y[static_cast<size_t>(m)];
  if (x.tipo == tipo_variante::vuoto || y.tipo == tipo_variante::vuoto) return std::nullopt;
  return punto{coordinata(x), coordinata(y)};
}

// The last metre that holds a point, up to the limit.
int64_t ultimo_punto(const griglia_linea& g, int64_t limite) {
  for (int64_t m = std::min<int64_t>(limite, static_cast<int64_t>(g.x.size()) - 1); m >= 0; --m) {
    if (punto_a(g, m)) return m;
  }
  return -1;
}

// The route's stations: entry, name and position.
struct stazione {
  int indice;
  std::string nome;
  int32_t posizione;
};

std::vector<stazione> stazioni(const tabella_oggetti* t) {
  std::vector<stazione> out;
  if (t == nullptr) return out;
  for (int i = 1; i <= 80; ++i) {
    if (e_stazione(i, (*t)[i])) out.push_back({i, cp1252_in_utf8((*t)[i].nome), (*t)[i].posizione});
  }
  return out;
}

// Turns plan metres into page coordinates: the chord from the first to the
// last point lies along the page, the plan scaled to fit the map's box.
struct vista {
  double c = 1, s = 0, scala = 1, x_min = 0, y_max = 0, sinistra = kMargine, alto = 0;
  double altezza = 0;  // of the track's box

  punto ruota(punto p) const { return {p.x * c + p.y * s, -p.x * s + p.y * c}; }
  punto pagina(punto p) const {
    punto r = ruota(p);
    return {sinistra + (r.x - x_min) * scala, alto + (y_max - r.y) * scala};
  }
};

vista prepara_vista(const griglia_linea& g, int64_t fine, double alto) {
  vista v;
  std::optional<punto> a = punto_a(g, 0), b = punto_a(g, fine);
  if (a && b && (b->x != a->x || b->y != a->y)) {
    double angolo = std::atan2(b->y - a->y, b->x - a->x);
    v.c = std::cos(angolo);
    v.s = std::sin(angolo);
  }
  double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
  for (int64_t m = 0; m <= fine; ++m) {
    std::optional<punto> p = punto_a(g, m);
    if (!p) continue;
    punto r = v.ruota(*p);
    x0 = std::min(x0, r.x);
    x1 = std::max(x1, r.x);
    y0 = std::min(y0, r.y);
    y1 = std::max(y1, r.y);
  }
  if (x0 > x1) x0 = x1 = y0 = y1 = 0;
  double larghezza = kLarghezza - 2 * kMargine;
  v.scala = std::min(larghezza / std::max(x1 - x0, 1.0), kAltezzaMappaMax / std::max(y1 - y0, 1.0));
  v.x_min = x0;
  v.y_max = y1;
  v.sinistra = kMargine + (larghezza - (x1 - x0) * v.scala) / 2;
  v.alto = alto + kSpazioEtichette;
  v.altezza = (y1 - y0) * v.scala;
  return v;
}

// A "nice" step for an axis that spans the range in about `parti` steps.
double passo_tondo(double ampiezza, int parti) {
  double grezzo = ampiezza / parti;
  double p = std::pow(10.0, std::floor(std::log10(std::max(grezzo, 1e-9))));
  for (double f : {1.0, 2.0, 5.0, 10.0}) {
    if (f * p >= grezzo) return f * p;
  }
  return 10 * p;
}

// A label's box and, when it stands away from its point, the leader line
// that joins them.
struct collocazione {
  rettangolo riquadro;
  bool richiamo = false;
  punto da, a;
};

// Places labels one after another where they overlap nothing placed before.
class etichettatore {
 public:
  explicit etichettatore(rettangolo area) : area_(area) {}

  void occupa(rettangolo r) { presi_.push_back(r); }

  // A small label close to the point, on any side.
  rettangolo colloca(punto p, const std::string& testo) {
    double w = larghezza(testo), h = kCorpo + 5;
    std::vector<rettangolo> candidati;
    for (double d : {4.0, 12.0, 22.0}) {
      candidati.push_back({p.x - w / 2, p.y - d - h, p.x + w / 2, p.y - d});
      candidati.push_back({p.x - w / 2, p.y + d, p.x + w / 2, p.y + d + h});
      candidati.push_back({p.x + d + 4, p.y - h / 2, p.x + d + 4 + w, p.y + h / 2});
      candidati.push_back({p.x - d - 4 - w, p.y - h / 2, p.x - d - 4, p.y + h / 2});
    }
    for (const rettangolo& r : candidati) {
      if (!dentro(r) || urta(presi_, r)) continue;
      presi_.push_back(r);
      return r;
    }
    return {0, 0, 0, 0};  // no room: the caller leaves the label out
  }

  // A name above or below its point (the preferred side first), as close as
  // it fits; further away it gets a vertical leader line. Placing names from
  // right to left keeps every leader clear of the names placed before.
  collocazione colloca_con_richiamo(punto p, const std::string& testo, int lato_preferito) {
    double w = larghezza(testo), h = kCorpo + 5;
    // Names start at their point, except where the page ends.
    double x0 = p.x - 8 + w <= area_.x1 ? p.x - 8 : p.x + 8 - w;
    for (double d = 8; d <= 240; d += 5) {
      for (int lato : {lato_preferito, -lato_preferito}) {
        {
          double y0 = lato < 0 ? p.y - d - h : p.y + d;
          rettangolo r{x0, y0, x0 + w, y0 + h};
          punto fine{p.x, lato < 0 ? r.y1 : r.y0};
          rettangolo guida{p.x - 1.5, std::min(p.y, fine.y) + 7, p.x + 1.5, std::max(p.y, fine.y) - 7};
          if (!dentro(r) || urta(presi_, r) || (d > 10 && urta(etichette_, guida))) continue;
          presi_.push_back(r);
          etichette_.push_back(r);
          collocazione c{r, d > 10, {p.x, p.y + lato * 7}, fine};
          if (c.richiamo) {
            presi_.push_back(guida);
            etichette_.push_back(guida);
          }
          return c;
        }
      }
    }
    return {{p.x + 8, p.y - h / 2, p.x + 8 + w, p.y + h / 2}, false, p, p};
  }

  // The box around everything placed.
  rettangolo limiti() const {
    rettangolo r{1e300, 1e300, -1e300, -1e300};
    for (const rettangolo& q : presi_) {
      r = {std::min(r.x0, q.x0), std::min(r.y0, q.y0), std::max(r.x1, q.x1), std::max(r.y1, q.y1)};
    }
    return r;
  }

 private:
  static double larghezza(const std::string& s) {
    size_t k = 0;
    for (char c : s) k += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return static_cast<double>(k) * kLarghezzaCarattere + 10;
  }
  bool dentro(const rettangolo& r) const {
    return r.x0 >= area_.x0 && r.x1 <= area_.x1 && r.y0 >= area_.y0 && r.y1 <= area_.y1;
  }
  static bool urta(const std::vector<rettangolo>& elenco, const rettangolo& r) {
    return std::any_of(elenco.begin(), elenco.end(), [&](const rettangolo& q) { return q.sovrappone(r); });
  }

  rettangolo area_;
  std::vector<rettangolo> presi_;     // everything drawn so far
  std::vector<rettangolo> etichette_;  // labels and leader lines only
};

// What is drawn: the records and the route's extent.
struct disegno {
  const griglia_linea& griglia;
  const tabella_oggetti* tabella;
  const celle_percorso* celle;
  int64_t fine;  // last metre of the route drawn
  std::vector<stazione> elenco;
  std::ostringstream svg;
};

void titolo(disegno& d) {
  std::string nome = "line plan";
  if (d.tabella != nullptr) {
    nome = cp1252_in_utf8((*d.tabella)[kOggettoLinea].nome);
    const std::string& treno = (*d.tabella)[kOggettoTreno].nome;
    if (!treno.empty()) nome += " \xE2\x80\x94 train " + cp1252_in_utf8(treno);
  }
  char lunghezza[64];
  std::snprintf(lunghezza, sizeof lunghezza, "route %.1f km", static_cast<double>(d.fine) / 1000);
  d.svg << "<text x=\"" << n(kMargine) << "\" y=\"34\" font-size=\"20\" font-weight=\"bold\">" << xml_testo(nome)
        << "</text>\n<text x=\"" << n(kLarghezza - kMargine) << "\" y=\"34\" font-size=\"13\" text-anchor=\"end\""
        << " fill=\"#555\">" << lunghezza << "</text>\n";
}

// The item kinds marked on the track, with their look.
struct segno {
  uint8_t tipo;
  const char* colore;
  const char* nome;
};

const segno kSegni[] = {{1, "#d62728", "signal"}, {14, "#1f77b4", "indicator sign board"},
                        {6, "#ff7f0e", "maximum-speed indicator"}};

void disegna_segno(std::ostringstream& svg, const segno& s, punto p, double r) {
  if (s.tipo == 1) {
    svg << "<circle cx=\"" << n(p.x) << "\" cy=\"" << n(p.y) << "\" r=\"" << n(r) << "\" fill=\"" << s.colore
        << "\"/>\n";
  } else if (s.tipo == 14) {
    svg << "<rect x=\"" << n(p.x - r) << "\" y=\"" << n(p.y - r) << "\" width=\"" << n(2 * r) << "\" height=\""
        << n(2 * r) << "\" fill=\"" << s.colore << "\"/>\n";
  } else {
    svg << "<path d=\"M" << n(p.x) << " " << n(p.y - r - 1) << " L" << n(p.x + r + 1) << " " << n(p.y) << " L"
        << n(p.x) << " " << n(p.y + r + 1) << " L" << n(p.x - r - 1) << " " << n(p.y) << " Z\" fill=\""
        << s.colore << "\"/>\n";
  }
}

// The track as one line, every few metres.
void traccia(disegno& d, const vista& v, etichettatore& etichette) {
  int64_t passo = std::max<int64_t>(1, d.fine / 3000);
  d.svg << "<polyline fill=\"none\" stroke=\"#333\" stroke-width=\"3\" stroke-linejoin=\"round\" points=\"";
  for (int64_t m = 0; m <= d.fine; m += passo) {
    if (std::optional<punto> p = punto_a(d.griglia, m)) {
      punto q = v.pagina(*p);
      d.svg << n(q.x) << "," << n(q.y) << " ";
      etichette.occupa({q.x - 2, q.y - 2, q.x + 2, q.y + 2});
    }
  }
  d.svg << "\"/>\n";
}

// The page point of a route metre on the map, when the plan holds it.
std::optional<punto> sulla_mappa(const disegno& d, const vista& v, int64_t metri) {
  std::optional<punto> p = punto_a(d.griglia, std::clamp<int64_t>(metri, 0, d.fine));
  if (!p) return std::nullopt;
  return v.pagina(*p);
}

// Signals, sign boards and indicators on the track.
void segni_mappa(disegno& d, const vista& v, etichettatore& etichette) {
  if (d.celle == nullptr) return;
  for (size_t i = 0; i < d.celle->size(); ++i) {
    for (const segno& s : kSegni) {
      int64_t m = (static_cast<int64_t>(i) - 1) * static_cast<int64_t>(kMetriCella);
      if ((*d.celle)[i].tipo != s.tipo || m < 0 || m > d.fine) continue;
      if (std::optional<punto> q = sulla_mappa(d, v, m)) {
        disegna_segno(d.svg, s, *q, 3.5);
        etichette.occupa({q->x - 4, q->y - 4, q->x + 4, q->y + 4});
      }
    }
  }
}

// A tick and a label at every few kilometres; the ticks first, the labels
// after the stations' so that the stations' names come closest.
void chilometri_mappa(disegno& d, const vista& v, etichettatore* etichette) {
  double km = passo_tondo(static_cast<double>(d.fine), 8);
  for (double m = 0; m <= static_cast<double>(d.fine); m += km) {
    std::optional<punto> q = sulla_mappa(d, v, static_cast<int64_t>(m));
    if (!q) continue;
    if (etichette == nullptr) {
      d.svg << "<circle cx=\"" << n(q->x) << "\" cy=\"" << n(q->y) << "\" r=\"2\" fill=\"#fff\" stroke=\"#333\"/>\n";
      continue;
    }
    char t[32];
    std::snprintf(t, sizeof t, "km %g", m / 1000);
    rettangolo r = etichette->colloca(*q, t);
    if (r.x1 <= r.x0) continue;
    d.svg << "<text x=\"" << n(r.x0 + 5) << "\" y=\"" << n(r.y1 - 5) << "\" font-size=\"10\" fill=\"#777\">" << t
          << "</text>\n";
  }
}

// The stations' circles, then their names where they overlap nothing.
void stazioni_mappa(disegno& d, const vista& v, etichettatore& etichette) {
  for (const stazione& st : d.elenco) {
    std::optional<punto> q = sulla_mappa(d, v, st.posizione);
    if (!q) continue;
    d.svg << "<circle cx=\"" << n(q->x) << "\" cy=\"" << n(q->y) << "\" r=\"6\" fill=\"#fff\" stroke=\"#2a6f2a\""
          << " stroke-width=\"3\"/>\n";
    etichette.occupa({q->x - 7, q->y - 7, q->x + 7, q->y + 7});
  }
  std::vector<std::pair<punto, const stazione*>> da_destra;
  for (const stazione& st : d.elenco) {
    if (std::optional<punto> q = sulla_mappa(d, v, st.posizione)) da_destra.push_back({*q, &st});
  }
  std::stable_sort(da_destra.begin(), da_destra.end(),
                   [](const auto& a, const auto& b) { return a.first.x > b.first.x; });
  int lato = -1;
  for (const auto& [q, st] : da_destra) {
    collocazione c = etichette.colloca_con_richiamo(q, st->nome, lato);
    lato = -lato;
    if (c.richiamo) {
      d.svg << "<line x1=\"" << n(c.da.x) << "\" y1=\"" << n(c.da.y) << "\" x2=\"" << n(c.a.x) << "\" y2=\""
            << n(c.a.y) << "\" stroke=\"#2a6f2a\" stroke-opacity=\"0.6\" stroke-width=\"0.8\"/>\n";
    }
    const rettangolo& r = c.riquadro;
    d.svg << "<text x=\"" << n(r.x0 + 5) << "\" y=\"" << n(r.y1 - 5) << "\" font-size=\"" << kCorpo
          << "\" font-weight=\"bold\" fill=\"#1d4d1d\">" << xml_testo(st->nome) << "</text>\n";
  }
}

// The map: track, kilometre ticks, items and stations. Returns its bottom.
double mappa(disegno& d, double alto) {
  vista v = prepara_vista(d.griglia, d.fine, 0);
  etichettatore etichette({8, 0, kLarghezza - 8, v.alto + v.altezza + kSpazioEtichette});
  std::ostringstream svg;
  std::swap(svg, d.svg);
  traccia(d, v, etichette);
  chilometri_mappa(d, v, nullptr);
  segni_mappa(d, v, etichette);
  stazioni_mappa(d, v, etichette);
  chilometri_mappa(d, v, &etichette);
  std::swap(svg, d.svg);
  rettangolo usato = etichette.limiti();
  if (usato.y0 > usato.y1) return alto;
  double spostamento = alto + 12 - usato.y0;
  d.svg << "<g transform=\"translate(0," << n(spostamento) << ")\">\n" << svg.str() << "</g>\n";
  return usato.y1 + spostamento + 12;
}

// The horizontal page position of a route metre in the profiles.
double x_profilo(const disegno& d, double metri) {
  return kMargine + metri / static_cast<double>(std::max<int64_t>(d.fine, 1)) * (kLarghezza - 2 * kMargine);
}

// One profile chart: a step line of the cells' values between alto and
// alto + altezza, with its scale on the left.
void grafico(disegno& d, double alto, double altezza, const char* nome, const char* colore, double minimo,
             double massimo, int (*valore)(const cella&)) {
  double passo = passo_tondo(massimo - minimo, 4);
  auto y_di = [&](double v) { return alto + (massimo - v) / (massimo - minimo) * altezza; };
  d.svg << "<rect x=\"" << n(kMargine) << "\" y=\"" << n(alto) << "\" width=\"" << n(kLarghezza - 2 * kMargine)
        << "\" height=\"" << n(altezza) << "\" fill=\"#fafafa\" stroke=\"#ccc\"/>\n";
  for (double v = std::ceil(minimo / passo) * passo; v <= massimo + 1e-9; v += passo) {
    d.svg << "<line x1=\"" << n(kMargine) << "\" y1=\"" << n(y_di(v)) << "\" x2=\"" << n(kLarghezza - kMargine)
          << "\" y2=\"" << n(y_di(v)) << "\" stroke=\"" << (v == 0 ? "#999" : "#e4e4e4") << "\"/>\n";
    d.svg << "<text x=\"" << n(kMargine - 6) << "\" y=\"" << n(y_di(v) + 4) << "\" font-size=\"10\""
          << " text-anchor=\"end\" fill=\"#555\">" << v << "</text>\n";
  }
  d.svg << "<text x=\"" << n(kMargine + 6) << "\" y=\"" << n(alto + 14) << "\" font-size=\"12\" fill=\"" << colore
        << "\">" << nome << "</text>\n";
  d.svg << "<polyline fill=\"none\" stroke=\"" << colore << "\" stroke-width=\"2\" points=\"";
  const celle_percorso& c = *d.celle;
  double precedente = 0;
  for (size_t i = 0; i < c.size(); ++i) {
    double da = static_cast<double>(i) * kMetriCella;
    if (da >= static_cast<double>(d.fine)) break;
    double a = std::min(da + kMetriCella, static_cast<double>(d.fine));
    double v = std::clamp<double>(valore(c[i]), minimo, massimo);
    if (i > 0 && v == precedente) {
      d.svg << n(x_profilo(d, a)) << "," << n(y_di(v)) << " ";
    } else {
      d.svg << n(x_profilo(d, da)) << "," << n(y_di(v)) << " " << n(x_profilo(d, a)) << "," << n(y_di(v)) << " ";
    }
    precedente = v;
  }
  d.svg << "\"/>\n";
}

// A dashed line down through the profiles at every station.
void linee_stazioni(disegno& d, double alto, double fondo) {
  for (const stazione& st : d.elenco) {
    double x = x_profilo(d, std::clamp<double>(st.posizione, 0, static_cast<double>(d.fine)));
    d.svg << "<line x1=\"" << n(x) << "\" y1=\"" << n(alto) << "\" x2=\"" << n(x) << "\" y2=\"" << n(fondo)
          << "\" stroke=\"#2a6f2a\" stroke-opacity=\"0.5\" stroke-dasharray=\"3,3\"/>\n";
  }
}

int pendenza_di(const cella& c) { return c.pendenza - 100; }
int velocita_di(const cella& c) { return c.velocita * 5; }

// The gradient and speed profiles with the stations and items against the
// kilometre. Returns the bottom.
double profili(disegno& d, double alto) {
  const double nomi = 110, striscia = 22, altezza = 130, spazio = 14;
  double y_striscia = alto + nomi, y_pendenza = y_striscia + striscia + 6;
  double y_velocita = y_pendenza + altezza + spazio, fondo = y_velocita + altezza;
  for (const stazione& st : d.elenco) {
    double x = x_profilo(d, std::clamp<double>(st.posizione, 0, static_cast<double>(d.fine)));
    d.svg << "<text transform=\"translate(" << n(x + 3) << "," << n(y_striscia - 8) << ") rotate(-60)\""
          << " font-size=\"10.5\" fill=\"#1d4d1d\">" << xml_testo(st.nome) << "</text>\n";
  }
  d.svg << "<line x1=\"" << n(kMargine) << "\" y1=\"" << n(y_striscia + striscia / 2) << "\" x2=\""
        << n(kLarghezza - kMargine) << "\" y2=\"" << n(y_striscia + striscia / 2) << "\" stroke=\"#bbb\"/>\n";
  if (d.celle == nullptr) {
    linee_stazioni(d, y_striscia - 4, y_striscia + striscia);
    return y_striscia + striscia;
  }
  for (size_t i = 0; i < d.celle->size(); ++i) {
    for (const segno& s : kSegni) {
      double m = (static_cast<double>(i) - 1) * kMetriCella;
      if ((*d.celle)[i].tipo == s.tipo && m >= 0 && m <= static_cast<double>(d.fine)) {
        disegna_segno(d.svg, s, {x_profilo(d, m), y_striscia + striscia / 2}, 3);
      }
    }
  }
  int g_max = 5, v_max = 20;
  for (size_t i = 0; i < d.celle->size() && static_cast<double>(i) * kMetriCella < static_cast<double>(d.fine); ++i) {
    g_max = std::max(g_max, std::abs(pendenza_di((*d.celle)[i])));
    v_max = std::max(v_max, velocita_di((*d.celle)[i]));
  }
  double g = std::ceil((g_max + 1) / 5.0) * 5, v = std::ceil((v_max + 1) / 20.0) * 20;
  grafico(d, y_pendenza, altezza, "gradient (per mille)", "#8c564b", -g, g, pendenza_di);
  grafico(d, y_velocita, altezza, "speed limit (km/h)", "#1f77b4", 0, v, velocita_di);
  linee_stazioni(d, y_striscia - 4, fondo);
  return fondo;
}

// The kilometre axis under the profiles.
double asse(disegno& d, double alto) {
  double km = passo_tondo(static_cast<double>(d.fine), 12);
  for (double m = 0; m <= static_cast<double>(d.fine) + 1e-9; m += km) {
    double x = x_profilo(d, m);
    d.svg << "<line x1=\"" << n(x) << "\" y1=\"" << n(alto) << "\" x2=\"" << n(x) << "\" y2=\"" << n(alto + 5)
          << "\" stroke=\"#555\"/>\n<text x=\"" << n(x) << "\" y=\"" << n(alto + 18) << "\" font-size=\"10\""
          << " text-anchor=\"middle\" fill=\"#555\">" << m / 1000 << "</text>\n";
  }
  d.svg << "<text x=\"" << n(kLarghezza / 2) << "\" y=\"" << n(alto + 34) << "\" font-size=\"11\""
        << " text-anchor=\"middle\" fill=\"#555\">km from the start of the route</text>\n";
  return alto + 40;
}

// The legend of the marks.
double legenda(disegno& d, double alto) {
  double x = kMargine;
  d.svg << "<circle cx=\"" << n(x + 6) << "\" cy=\"" << n(alto + 8) << "\" r=\"5\" fill=\"#fff\" stroke=\"#2a6f2a\""
        << " stroke-width=\"2\"/>\n<text x=\"" << n(x + 16) << "\" y=\"" << n(alto + 12)
        << "\" font-size=\"11\">station</text>\n";
  x += 90;
  for (const segno& s : kSegni) {
    disegna_segno(d.svg, s, {x + 6, alto + 8}, 4);
    d.svg << "<text x=\"" << n(x + 16) << "\" y=\"" << n(alto + 12) << "\" font-size=\"11\">" << s.nome
          << "</text>\n";
    x += 40 + std::string(s.nome).size() * 6.5;
  }
  return alto + 24;
}

}  // namespace

std::string disegna_pianta(const griglia_linea& griglia, const tabella_oggetti* tabella,
                           const celle_percorso* celle) {
  int64_t ultimo = ultimo_punto(griglia, INT64_MAX);
  int64_t fine = ultimo;
  if (tabella != nullptr && (*tabella)[kOggettoGenerale].fine > 0) {
    fine = std::min<int64_t>(ultimo, (*tabella)[kOggettoGenerale].fine);
  }
  disegno d{griglia, tabella, celle, std::max<int64_t>(fine, 0), stazioni(tabella), {}};
  titolo(d);
  double y = mappa(d, 50);
  y = profili(d, y);
  y = asse(d, y + 4);
  y = legenda(d, y + 6);
  std::ostringstream out;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << n(kLarghezza) << "\" height=\"" << n(y + 10)
      << "\" viewBox=\"0 0 " << n(kLarghezza) << " " << n(y + 10) << "\" font-family=\"" << kCarattere << "\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
      << d.svg.str() << "</svg>\n";
  return out.str();
}

}  // namespace sb
