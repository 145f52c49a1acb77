#include "osm_import/speed_limits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace sb {
namespace {

constexpr double kKmOrari = 1.609344;  // km in a mile

// The limit of one segment of the route in km/h, or nothing.
struct limite_tratto {
  std::optional<int32_t> kmh;
  double da = 0.0;  // plan points
  double a = 0.0;
};

// km/h rounded down to the format's steps of 5.
int32_t a_passi(double kmh) { return static_cast<int32_t>(std::floor(kmh / 5.0 + 1e-9)) * 5; }

}  // namespace

std::optional<double> velocita_letta(std::string_view v) {
  while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
  double fattore = 1.0;
  if (v.size() > 3 && v.substr(v.size() - 3) == "mph") {
    fattore = kKmOrari;
    v.remove_suffix(3);
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
  }
  double n = 0.0;
  const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
  if (v.empty() || r.ec != std::errc() || r.ptr != v.data() + v.size() || !(n > 0.0)) return std::nullopt;
  return n * fattore;
}

std::string_view tag_velocita(const binario_osm& b, bool avanti) {
  const std::string_view per_verso = valore_tag(b.tag, avanti ? "maxspeed:forward" : "maxspeed:backward");
  return per_verso.empty() ? valore_tag(b.tag, "maxspeed") : per_verso;
}

limiti_percorso limiti_del_percorso(const dati_osm& dati, const percorso_misurato& m) {
  limiti_percorso l;
  const int32_t lunghezza = m.piano.lunghezza;
  std::vector<limite_tratto> tratti;
  for (size_t i = 0; i < m.p.binario.size(); ++i) {
    const binario_osm& b = dati.binari[static_cast<size_t>(m.p.binario[i])];
    const std::string_view tag = tag_velocita(b, m.p.avanti[i] != 0);
    limite_tratto t;
    t.da = punto_piano(m, m.t.s[i]);
    t.a = punto_piano(m, m.t.s[i + 1]);
    if (const auto v = velocita_letta(tag)) {
      t.kmh = std::max(5, a_passi(*v));
      if (tag.find("mph") != std::string_view::npos) {
        l.detto.push_back("maxspeed " + std::string(tag) + " on w" + std::to_string(b.id) + ": " +
                          std::to_string(*t.kmh) + " km/h");
      }
    }
    tratti.push_back(t);
  }
  // The stretches without a limit, each told once.
  for (size_t i = 0; i < tratti.size();) {
    if (tratti[i].kmh) {
      ++i;
      continue;
    }
    size_t j = i;
    while (j < tratti.size() && !tratti[j].kmh) tratti[j++].kmh = kVelocitaPredefinita;
    const double da = tratti[i].da, a = tratti[j - 1].a;
    l.detto.push_back("no maxspeed on " + km_detti(a - da) + " from " + metri_detti(da) + ": " +
                      std::to_string(kVelocitaPredefinita) + " km/h assumed");
    i = j;
  }
  const size_t celle = static_cast<size_t>(lunghezza / 50 + 1);
  l.per_cella.assign(celle, 0);
  for (const limite_tratto& t : tratti) {
    const size_t c0 = static_cast<size_t>(std::max(0.0, std::floor(t.da / 50.0)));
    const size_t c1 = std::min(celle - 1, static_cast<size_t>(std::max(0.0, std::ceil(t.a / 50.0) - 1.0)));
    for (size_t c = c0; c <= c1 && c < celle; ++c) {
      l.per_cella[c] = l.per_cella[c] == 0 ? *t.kmh : std::min(l.per_cella[c], *t.kmh);
    }
  }
  for (size_t c = 0; c < celle; ++c) {
    if (l.per_cella[c] == 0) l.per_cella[c] = c > 0 ? l.per_cella[c - 1] : kVelocitaPredefinita;
  }
  return l;
}

std::vector<riga_profilo> righe_velocita(const std::vector<int32_t>& per_cella) {
  std::vector<riga_profilo> righe;
  for (size_t c = 0; c < per_cella.size(); ++c) {
    if (c == 0 || per_cella[c] != per_cella[c - 1]) {
      righe.push_back({static_cast<int32_t>(c * 50), per_cella[c]});
    }
  }
  return righe;
}

}  // namespace sb
