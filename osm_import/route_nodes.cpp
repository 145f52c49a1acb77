#include "osm_import/route_nodes.h"

#include <algorithm>
#include <unordered_map>

namespace sb {

std::vector<nodo_sul_percorso> nodi_sul_percorso(const dati_osm& dati, const percorso_misurato& m,
                                                 std::string_view ferrovia) {
  std::unordered_map<int64_t, size_t> vertice;
  for (size_t i = 0; i < m.p.nodi.size(); ++i) {
    if (m.p.nodi[i] != 0) vertice.emplace(m.p.nodi[i], i);
  }
  std::vector<nodo_sul_percorso> trovati;
  for (const punto_osm& p : dati.punti) {
    if (valore_tag(p.tag, "railway") != ferrovia) continue;
    nodo_sul_percorso n;
    n.punto = &p;
    size_t segmento = 0;
    if (auto it = vertice.find(p.id); it != vertice.end()) {
      n.metro = m.t.s[it->second];
      segmento = std::min(it->second, m.p.avanti.size() - 1);
    } else {
      const sul_percorso q = proietta_su_percorso(m, p.dove);
      if (q.distanza > 20.0) continue;
      n.metro = q.metro;
      segmento = static_cast<size_t>(std::upper_bound(m.t.s.begin(), m.t.s.end(), q.metro) - m.t.s.begin());
      segmento = std::min(segmento > 0 ? segmento - 1 : 0, m.p.avanti.size() - 1);
    }
    n.posizione = punto_piano(m, n.metro);
    n.avanti = m.p.avanti[segmento] != 0;
    trovati.push_back(n);
  }
  std::sort(trovati.begin(), trovati.end(),
            [](const nodo_sul_percorso& a, const nodo_sul_percorso& b) { return a.metro < b.metro; });
  return trovati;
}

}  // namespace sb
