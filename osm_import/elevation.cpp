#include "osm_import/elevation.h"

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/files.h"
#include "text_input/text_lines.h"

namespace sb {
namespace {

// The gradients the cells hold: stored plus 100 in one byte.
constexpr int32_t kPendenzaMinima = -100;
constexpr int32_t kPendenzaMassima = 155;

// Whether the field, blanks aside, is one finite number.
bool numero(std::string_view s, double& v) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(v);
}

// The comma-separated fields of a line.
std::vector<std::string_view> campi(std::string_view riga) {
  std::vector<std::string_view> c;
  size_t da = 0;
  for (size_t i = 0; i <= riga.size(); ++i) {
    if (i == riga.size() || riga[i] == ',') {
      c.push_back(riga.substr(da, i - da));
      da = i + 1;
    }
  }
  return c;
}

// Heights from CSV lines.
quote_lette leggi_csv(const std::string& file, const std::string& testo) {
  quote_lette q;
  righe_testo righe(testo);
  std::string_view riga;
  while (righe.prossima(riga)) {
    const int32_t n = righe.numero();
    if (riga.find_first_not_of(" \t\r") == std::string_view::npos) continue;
    const std::vector<std::string_view> c = campi(riga);
    double a = 0.0, b = 0.0, h = 0.0;
    if (c.size() == 2 && numero(c[0], a) && numero(c[1], h)) {
      q.quote.push_back({a, {}, h});
    } else if (c.size() == 3 && numero(c[0], a) && numero(c[1], b) && numero(c[2], h)) {
      q.quote.push_back({-1.0, {a, b}, h});
    } else if (!(n == 1 && q.quote.empty())) {
      q.errore = file + ":" + std::to_string(n) + ": not a height row (metre,height or lat,lon,height)";
      return q;
    }
  }
  return q;
}

// The GPX reader's state: the point being read and the text of <ele>.
struct stato_gpx {
  std::vector<quota>* quote = nullptr;
  coordinate dove;
  bool in_punto = false;
  bool in_ele = false;
  std::string ele;
};

// The value of an XML attribute, or null.
const char* attributo(const XML_Char** a, const char* nome) {
  for (; a[0] != nullptr; a += 2) {
    if (std::string_view(a[0]) == nome) return a[1];
  }
  return nullptr;
}

// A GPX element opens: a point takes its place, <ele> starts its text.
void XMLCALL apre(void* dati, const XML_Char* nome, const XML_Char** att) {
  auto* s = static_cast<stato_gpx*>(dati);
  const std::string_view n(nome);
  if (n == "trkpt" || n == "rtept" || n == "wpt") {
    double lat = 0.0, lon = 0.0;
    const char* la = attributo(att, "lat");
    const char* lo = attributo(att, "lon");
    s->in_punto = la != nullptr && lo != nullptr && numero(la, lat) && numero(lo, lon);
    s->dove = {lat, lon};
  } else if (n == "ele" && s->in_punto) {
    s->in_ele = true;
    s->ele.clear();
  }
}

// A GPX element closes: <ele> gives the point its height.
void XMLCALL chiude(void* dati, const XML_Char* nome) {
  auto* s = static_cast<stato_gpx*>(dati);
  const std::string_view n(nome);
  double h = 0.0;
  if (n == "ele" && s->in_ele) {
    s->in_ele = false;
    if (numero(s->ele, h)) s->quote->push_back({-1.0, s->dove, h});
  } else if (n == "trkpt" || n == "rtept" || n == "wpt") {
    s->in_punto = false;
  }
}

// Text inside an element: kept inside <ele>.
void XMLCALL testo_xml(void* dati, const XML_Char* t, int lunghezza) {
  auto* s = static_cast<stato_gpx*>(dati);
  if (s->in_ele) s->ele.append(t, static_cast<size_t>(lunghezza));
}

// Heights from the points of a GPX file.
quote_lette leggi_gpx(const std::string& file, const std::string& testo) {
  quote_lette q;
  stato_gpx s;
  s.quote = &q.quote;
  XML_Parser p = XML_ParserCreate(nullptr);
  XML_SetUserData(p, &s);
  XML_SetElementHandler(p, apre, chiude);
  XML_SetCharacterDataHandler(p, testo_xml);
  if (XML_Parse(p, testo.data(), static_cast<int>(testo.size()), 1) == XML_STATUS_ERROR) {
    q.errore = file + ":" + std::to_string(XML_GetCurrentLineNumber(p)) + ": not GPX (" +
               XML_ErrorString(XML_GetErrorCode(p)) + ")";
  }
  XML_ParserFree(p);
  return q;
}

}  // namespace

quote_lette leggi_quote(const std::string& file) {
  std::string testo;
  if (esito_file e = leggi_file(file, testo); !e.ok) {
    quote_lette q;
    q.errore = e.messaggio();
    q.file_illeggibile = true;
    return q;
  }
  const size_t primo = testo.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  quote_lette q = primo != std::string::npos && testo[primo] == '<' ? leggi_gpx(file, testo) : leggi_csv(file, testo);
  if (q.errore.empty() && q.quote.size() < 2) q.errore = file + ": fewer than two heights";
  return q;
}

std::vector<int32_t> pendenze_celle(const std::vector<std::pair<double, double>>& ma, int32_t celle) {
  auto altezza = [&](double m) {
    if (m <= ma.front().first) return ma.front().second;
    if (m >= ma.back().first) return ma.back().second;
    auto it = std::upper_bound(ma.begin(), ma.end(), m, [](double v, const auto& p) { return v < p.first; });
    const auto& [m1, h1] = *it;
    const auto& [m0, h0] = *(it - 1);
    return m1 > m0 ? h0 + (h1 - h0) * (m - m0) / (m1 - m0) : h1;
  };
  std::vector<int32_t> g;
  double scritta = altezza(0.0);  // the height the rows written so far reach
  for (int32_t c = 0; c < celle; ++c) {
    const double voluta = altezza(50.0 * (c + 1));
    const int32_t p = std::clamp(static_cast<int32_t>(std::nearbyint((voluta - scritta) * 1000.0 / 50.0)),
                                 kPendenzaMinima, kPendenzaMassima);
    scritta += p * 50.0 / 1000.0;
    g.push_back(p);
  }
  return g;
}

pendenze_percorso pendenze_del_percorso(const std::string& file, const percorso_misurato& m) {
  pendenze_percorso r;
  if (file.empty()) {
    r.righe = {{0, 0, ""}};
    r.detto.push_back("no --elevation file: the line is level (0 per mille) over its " + km_detti(m.piano.lunghezza));
    return r;
  }
  quote_lette q = leggi_quote(file);
  if (!q.errore.empty()) {
    r.fine = q.file_illeggibile ? fine_import::file_fallito : fine_import::dati_fallati;
    r.errore = q.errore;
    return r;
  }
  std::vector<std::pair<double, double>> ma;
  size_t lontane = 0;
  for (const quota& x : q.quote) {
    if (x.metro >= 0.0) {
      ma.push_back({x.metro, x.altezza});
      continue;
    }
    const sul_percorso s = proietta_su_percorso(m, x.dove);
    if (s.distanza > 200.0) {
      ++lontane;
      continue;
    }
    ma.push_back({static_cast<double>(punto_piano(m, s.metro)), x.altezza});
  }
  std::stable_sort(ma.begin(), ma.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  if (ma.size() < 2) {
    r.fine = fine_import::dati_fallati;
    r.errore = file + ": fewer than two heights on the route";
    return r;
  }
  if (lontane > 0) r.detto.push_back(std::to_string(lontane) + " heights of " + file + " lie more than 200 m from the route: passed over");
  if (ma.front().first > 50.0 || ma.back().first < m.piano.lunghezza - 50.0) {
    r.detto.push_back("the heights cover " + metri_detti(ma.front().first) + " to " + metri_detti(ma.back().first) +
                      ": the line is level beyond them");
  }
  const std::vector<int32_t> g = pendenze_celle(ma, m.piano.lunghezza / 50 + 1);
  for (size_t c = 0; c < g.size(); ++c) {
    if (c == 0 || g[c] != g[c - 1]) r.righe.push_back({static_cast<int32_t>(c * 50), g[c], ""});
  }
  r.detto.push_back("gradients from " + file + ": " + std::to_string(r.righe.size()) + " rows");
  return r;
}

}  // namespace sb
