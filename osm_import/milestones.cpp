#include "osm_import/milestones.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "osm_import/route_nodes.h"
#include "scenario/scenario_records.h"

namespace sb {
namespace {

// Kilometres as a post writes them, in metres.
std::optional<double> chilometri(std::string_view v) {
  double km = 0.0;
  const auto r = std::from_chars(v.data(), v.data() + v.size(), km);
  if (v.empty() || r.ec != std::errc() || r.ptr != v.data() + v.size() || !std::isfinite(km)) return std::nullopt;
  return km * 1000.0;
}

// A post's place along the route and its chainage.
struct cippo {
  int32_t posizione = 0;
  double chainage = 0.0;
  int64_t id = 0;
};

// The chainage references from the posts in route order.
void riferimenti(const std::vector<cippo>& cippi, cippi_percorso& r) {
  if (cippi.size() < 2) {
    if (cippi.size() == 1) r.detto.push_back("one kilometre post on the route: no chainage reference from it alone");
    return;
  }
  if (cippi.back().chainage < cippi.front().chainage) {
    r.detto.push_back("the kilometre posts count down along the route: the chainage references are left at 0");
    return;
  }
  size_t usate = 0;
  double scarto = 0.0;
  for (size_t i = 0; i < cippi.size(); ++i) {
    const double o = cippi[i].chainage - cippi[i].posizione;
    if (usate > 0 && std::fabs(o - scarto) <= 50.0) continue;
    if (usate == 3) {
      r.detto.push_back("the chainage changes more than three times along the route: the references follow the first three");
      return;
    }
    int32_t inizio = usate == 0 ? 0 : a_cella(cippi[i].posizione);
    if (usate == 0 && o < 0.0) inizio = a_cella(cippi[i].posizione);
    r.progressive[usate] = {inizio, a_cella(inizio + o), 0};
    scarto = o;
    ++usate;
  }
}

}  // namespace

std::optional<double> chainage_cippo(const punto_osm& p) {
  if (auto esatta = chilometri(valore_tag(p.tag, "railway:position:exact"))) return esatta;
  return chilometri(valore_tag(p.tag, "railway:position"));
}

std::string didascalia_cippo(double metri) {
  const long long m = std::llround(metri);
  char t[64];
  std::snprintf(t, sizeof t, "(Cippo Km.)( %lld+%03lld  )", m / 1000, m % 1000);
  return t;
}

cippi_percorso cippi_del_percorso(const dati_osm& dati, const percorso_misurato& m, std::set<int64_t>& occupate) {
  cippi_percorso r;
  std::vector<cippo> cippi;
  for (const nodo_sul_percorso& n : nodi_sul_percorso(dati, m, "milestone")) {
    const std::optional<double> c = chainage_cippo(*n.punto);
    if (!c || *c < 0.0) {
      r.detto.push_back("kilometre post n" + std::to_string(n.punto->id) + " has no railway:position to read: passed over");
      continue;
    }
    cippi.push_back({n.posizione, *c, n.punto->id});
    if (!occupate.insert(indice_cella(n.posizione)).second) {
      r.detto.push_back("kilometre post n" + std::to_string(n.punto->id) + " at " + metri_detti(n.posizione) +
                        " has no sign board: its cell holds another item");
      continue;
    }
    r.cartelli.push_back({n.posizione, didascalia_cippo(*c), ""});
  }
  riferimenti(cippi, r);
  return r;
}

}  // namespace sb
