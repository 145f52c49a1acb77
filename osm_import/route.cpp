#include "osm_import/route.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <functional>
#include <queue>
#include <unordered_map>

#include "osm_import/geodesy.h"

namespace sb {
namespace {

constexpr double kInfinito = std::numeric_limits<double>::infinity();

// An edge of the track graph: a straight piece of one way.
struct arco {
  int32_t verso = 0;    // the node it leads to
  int32_t binario = -1;  // -1: a link from a place to a track point, no track
  bool avanti = true;
  double costo = 0.0;
};

// The tracks as a graph: real nodes first, then the points where the places
// meet the tracks, then one node per place.
struct grafo {
  std::vector<coordinate> dove;
  std::vector<int64_t> id;  // the node's id; 0 for the added ones
  std::vector<std::vector<arco>> archi;
};

// A point of a way's segment nearest to a place.
struct aggancio {
  int32_t binario = 0;
  size_t segmento = 0;  // between nodes segmento and segmento + 1 of the way
  double t = 0.0;       // 0 at the segment's first node, 1 at its second
  double distanza = kInfinito;
  coordinate dove;
};

// Projects q onto the segment a-b.
aggancio proietta(const coordinate& q, const coordinate& a, const coordinate& b) {
  const piede p = piede_su_segmento(q, a, b);
  aggancio g;
  g.t = p.t;
  g.distanza = p.distanza;
  g.dove = {a.lat + p.t * (b.lat - a.lat), a.lon + p.t * (b.lon - a.lon)};
  return g;
}

// Whether a track is a running line: used as main or branch, no service.
bool linea_di_corsa(const binario_osm& b) {
  const std::string_view uso = valore_tag(b.tag, "usage");
  return valore_tag(b.tag, "service").empty() && (uso == "main" || uso == "branch");
}

// The track points nearest a place: the best on each way within 15 m of the
// best of all, running lines only when one is within reach.
std::vector<aggancio> agganci(const dati_osm& dati, const luogo& l) {
  std::vector<aggancio> migliori(dati.binari.size());
  for (size_t w = 0; w < dati.binari.size(); ++w) {
    const binario_osm& b = dati.binari[w];
    for (size_t i = 0; i + 1 < b.nodi.size(); ++i) {
      auto a = dati.nodi.find(b.nodi[i]);
      auto c = dati.nodi.find(b.nodi[i + 1]);
      if (a == dati.nodi.end() || c == dati.nodi.end()) continue;
      for (const coordinate& q : l.punti) {
        aggancio g = proietta(q, a->second, c->second);
        g.binario = static_cast<int32_t>(w);
        g.segmento = i;
        if (g.distanza < migliori[w].distanza) migliori[w] = g;
      }
    }
  }
  bool corsa = false;
  double minimo = kInfinito;
  for (size_t w = 0; w < migliori.size(); ++w) {
    if (migliori[w].distanza > kDistanzaMassimaBinario) continue;
    if (linea_di_corsa(dati.binari[w])) corsa = true;
  }
  for (size_t w = 0; w < migliori.size(); ++w) {
    if (!corsa || linea_di_corsa(dati.binari[w])) minimo = std::min(minimo, migliori[w].distanza);
  }
  std::vector<aggancio> scelti;
  for (size_t w = 0; w < migliori.size(); ++w) {
    if (corsa && !linea_di_corsa(dati.binari[w])) continue;
    if (migliori[w].distanza <= std::min(minimo + 15.0, kDistanzaMassimaBinario)) scelti.push_back(migliori[w]);
  }
  return scelti;
}

// Adds a node to the graph; returns its index.
int32_t aggiungi_nodo(grafo& g, const coordinate& dove, int64_t id) {
  g.dove.push_back(dove);
  g.id.push_back(id);
  g.archi.emplace_back();
  return static_cast<int32_t>(g.dove.size() - 1);
}

// Both directions of a piece of track between nodes a and b (a before b in
// the way's order).
void collega(grafo& g, const dati_osm& dati, int32_t w, int32_t a, int32_t b) {
  const double l = inversa(g.dove[a], g.dove[b]).lunghezza;
  const binario_osm& bin = dati.binari[w];
  g.archi[a].push_back({b, w, true, l * costo_per_metro(bin, true)});
  g.archi[b].push_back({a, w, false, l * costo_per_metro(bin, false)});
}

// The graph of the tracks, the nodes indexed by id.
grafo grafo_binari(const dati_osm& dati, std::unordered_map<int64_t, int32_t>& indice) {
  grafo g;
  for (size_t w = 0; w < dati.binari.size(); ++w) {
    int32_t prima = -1;
    for (int64_t id : dati.binari[w].nodi) {
      auto it = dati.nodi.find(id);
      if (it == dati.nodi.end()) {
        prima = -1;
        continue;
      }
      auto [pos, nuovo] = indice.emplace(id, 0);
      if (nuovo) pos->second = aggiungi_nodo(g, it->second, id);
      if (prima >= 0 && prima != pos->second) collega(g, dati, static_cast<int32_t>(w), prima, pos->second);
      prima = pos->second;
    }
  }
  return g;
}

// A node where a place meets a track, linked to the ends of its segment and
// to the other such nodes on the same segment.
struct punto_aggancio {
  int32_t nodo = 0;
  aggancio a;
};

// Adds the track points of every place; returns them place by place.
std::vector<std::vector<punto_aggancio>> aggancia_luoghi(grafo& g, const dati_osm& dati,
                                                         const std::unordered_map<int64_t, int32_t>& indice,
                                                         const std::vector<std::vector<aggancio>>& per_luogo) {
  std::vector<std::vector<punto_aggancio>> out;
  std::vector<punto_aggancio> tutti;
  for (const std::vector<aggancio>& lista : per_luogo) {
    out.emplace_back();
    for (const aggancio& a : lista) {
      const binario_osm& b = dati.binari[a.binario];
      const int32_t n = aggiungi_nodo(g, a.dove, 0);
      collega(g, dati, a.binario, indice.at(b.nodi[a.segmento]), n);
      collega(g, dati, a.binario, n, indice.at(b.nodi[a.segmento + 1]));
      for (const punto_aggancio& altro : tutti) {
        if (altro.a.binario != a.binario || altro.a.segmento != a.segmento) continue;
        if (altro.a.t <= a.t) collega(g, dati, a.binario, altro.nodo, n);
        else collega(g, dati, a.binario, n, altro.nodo);
      }
      tutti.push_back({n, a});
      out.back().push_back({n, a});
    }
  }
  return out;
}

// Shortest costs from the sources (node, starting cost), with the edge that
// reached each node.
struct albero {
  std::vector<double> costo;
  std::vector<int32_t> da;
  std::vector<int32_t> arco_da;
};

// The cheapest ways from the sources to every node.
albero dijkstra(const grafo& g, const std::vector<std::pair<int32_t, double>>& sorgenti) {
  albero t;
  t.costo.assign(g.dove.size(), kInfinito);
  t.da.assign(g.dove.size(), -1);
  t.arco_da.assign(g.dove.size(), -1);
  using voce = std::pair<double, int32_t>;
  std::priority_queue<voce, std::vector<voce>, std::greater<>> coda;
  for (const auto& [n, c] : sorgenti) {
    t.costo[n] = c;
    coda.push({c, n});
  }
  while (!coda.empty()) {
    const auto [c, n] = coda.top();
    coda.pop();
    if (c > t.costo[n]) continue;
    for (size_t i = 0; i < g.archi[n].size(); ++i) {
      const arco& e = g.archi[n][i];
      if (c + e.costo >= t.costo[e.verso]) continue;
      t.costo[e.verso] = c + e.costo;
      t.da[e.verso] = n;
      t.arco_da[e.verso] = static_cast<int32_t>(i);
      coda.push({t.costo[e.verso], e.verso});
    }
  }
  return t;
}

// The nodes reachable from the given ones.
std::vector<bool> raggiungibili(const grafo& g, const std::vector<int32_t>& da) {
  std::vector<bool> visto(g.dove.size(), false);
  std::vector<int32_t> pila = da;
  for (int32_t n : da) visto[n] = true;
  while (!pila.empty()) {
    const int32_t n = pila.back();
    pila.pop_back();
    for (const arco& e : g.archi[n]) {
      if (!visto[e.verso]) {
        visto[e.verso] = true;
        pila.push_back(e.verso);
      }
    }
  }
  return visto;
}

// "30 m".
std::string metri(double m) { return std::to_string(static_cast<long long>(std::llround(m))) + " m"; }

// The nearest gap between what the start reaches and what reaches the end:
// the two track ends nearest each other (any nodes where there are no ends).
std::string varco_piu_vicino(const grafo& g, const std::vector<bool>& da_inizio, const std::vector<bool>& da_fine) {
  auto estremi = [&](const std::vector<bool>& insieme) {
    std::vector<int32_t> fine, tutti;
    for (size_t n = 0; n < g.dove.size(); ++n) {
      if (!insieme[n] || g.id[n] == 0) continue;
      tutti.push_back(static_cast<int32_t>(n));
      if (g.archi[n].size() <= 1) fine.push_back(static_cast<int32_t>(n));
    }
    return fine.empty() ? tutti : fine;
  };
  const std::vector<int32_t> a = estremi(da_inizio), b = estremi(da_fine);
  double migliore = kInfinito;
  int32_t na = -1, nb = -1;
  for (int32_t x : a) {
    for (int32_t y : b) {
      const double d = proietta(g.dove[x], g.dove[y], g.dove[y]).distanza;
      if (d < migliore) migliore = d, na = x, nb = y;
    }
  }
  if (na < 0) return "";
  return "; the nearest gap is " + metri(migliore) + ", between n" + std::to_string(g.id[na]) + " and n" +
         std::to_string(g.id[nb]);
}

// A place as the messages quote it.
std::string nome_luogo(const luogo& l) { return "'" + l.nome + "'"; }

}  // namespace

double costo_per_metro(const binario_osm& b, bool avanti) {
  const std::string_view servizio = valore_tag(b.tag, "service");
  const std::string_view uso = valore_tag(b.tag, "usage");
  double f = 1.0;
  if (servizio == "crossover") f = 8.0;
  else if (!servizio.empty()) f = 4.0;
  else if (uso.empty()) f = 1.5;
  else if (uso != "main" && uso != "branch") f = 2.0;
  const std::string_view verso = valore_tag(b.tag, "railway:preferred_direction");
  if ((verso == "forward" && !avanti) || (verso == "backward" && avanti)) f *= 3.0;
  return f;
}

percorso_trovato trova_percorso(const dati_osm& dati, const std::vector<luogo>& luoghi) {
  percorso_trovato r;
  std::vector<std::vector<aggancio>> per_luogo;
  for (const luogo& l : luoghi) {
    per_luogo.push_back(agganci(dati, l));
    if (per_luogo.back().empty()) {
      r.errore = "no track within " + metri(kDistanzaMassimaBinario) + " of " + nome_luogo(l);
      return r;
    }
  }
  std::unordered_map<int64_t, int32_t> indice;
  grafo g = grafo_binari(dati, indice);
  const auto punti = aggancia_luoghi(g, dati, indice, per_luogo);
  std::vector<int32_t> cammino;
  std::vector<int32_t> archi;  // the edge index (in its node's list) that leads to each node of cammino after the first
  int32_t partenza = -1;
  for (size_t leg = 0; leg + 1 < luoghi.size(); ++leg) {
    std::vector<std::pair<int32_t, double>> sorgenti;
    double minimo = kInfinito;
    for (const punto_aggancio& p : punti[leg]) minimo = std::min(minimo, p.a.distanza);
    if (partenza >= 0) sorgenti.push_back({partenza, 0.0});
    else for (const punto_aggancio& p : punti[leg]) sorgenti.push_back({p.nodo, p.a.distanza - minimo});
    const albero t = dijkstra(g, sorgenti);
    double migliore = kInfinito;
    int32_t arrivo = -1;
    double minimo_arrivo = kInfinito;
    for (const punto_aggancio& p : punti[leg + 1]) minimo_arrivo = std::min(minimo_arrivo, p.a.distanza);
    for (const punto_aggancio& p : punti[leg + 1]) {
      const double c = t.costo[p.nodo] + (p.a.distanza - minimo_arrivo);
      if (c < migliore) migliore = c, arrivo = p.nodo;
    }
    if (arrivo < 0) {
      std::vector<int32_t> da, a;
      for (const auto& [n, c] : sorgenti) da.push_back(n);
      for (const punto_aggancio& p : punti[leg + 1]) a.push_back(p.nodo);
      r.errore = "no path along the tracks from " + nome_luogo(luoghi[leg]) + " to " + nome_luogo(luoghi[leg + 1]) +
                 varco_piu_vicino(g, raggiungibili(g, da), raggiungibili(g, a));
      return r;
    }
    std::vector<int32_t> tratto;
    for (int32_t n = arrivo; n >= 0; n = t.da[n]) tratto.push_back(n);
    std::reverse(tratto.begin(), tratto.end());
    for (size_t i = 0; i < tratto.size(); ++i) {
      if (i == 0 && !cammino.empty()) continue;
      cammino.push_back(tratto[i]);
      if (cammino.size() > 1) archi.push_back(t.arco_da[tratto[i]]);
    }
    partenza = arrivo;
  }
  r.p.punti.push_back(g.dove[cammino[0]]);
  r.p.nodi.push_back(g.id[cammino[0]]);
  for (size_t i = 1; i < cammino.size(); ++i) {
    const arco& e = g.archi[cammino[i - 1]][archi[i - 1]];
    if (inversa(r.p.punti.back(), g.dove[cammino[i]]).lunghezza <= 0.0) continue;
    r.p.punti.push_back(g.dove[cammino[i]]);
    r.p.nodi.push_back(g.id[cammino[i]]);
    r.p.binario.push_back(e.binario);
    r.p.avanti.push_back(e.avanti ? 1 : 0);
  }
  if (r.p.punti.size() < 2) r.errore = "the places " + nome_luogo(luoghi.front()) + " and " +
                                       nome_luogo(luoghi.back()) + " meet the track at the same point";
  return r;
}

}  // namespace sb
