#include "osm_import/line_items.h"

#include <algorithm>
#include <cmath>

#include "osm_import/route_nodes.h"
#include "scenario/scenario_records.h"

namespace sb {
namespace {

// Whether a tag says yes in any way (anything but empty or "no").
bool ha_valore(std::string_view v) { return !v.empty() && v != "no"; }

// A run of route segments whose tracks carry a tag (tunnel, bridge).
struct tratto_con {
  size_t da = 0;
  size_t a = 0;  // one past the last segment
  std::string nome;
};

// The runs of segments whose tracks carry the tag.
std::vector<tratto_con> tratti_con(const dati_osm& dati, const percorso_misurato& m, std::string_view chiave) {
  std::vector<tratto_con> tratti;
  for (size_t i = 0; i < m.p.binario.size();) {
    const binario_osm& b = dati.binari[static_cast<size_t>(m.p.binario[i])];
    if (!ha_valore(valore_tag(b.tag, chiave))) {
      ++i;
      continue;
    }
    tratto_con t{i, i, ""};
    std::string_view nome = valore_tag(b.tag, std::string(chiave) + ":name");
    while (t.a < m.p.binario.size() &&
           ha_valore(valore_tag(dati.binari[static_cast<size_t>(m.p.binario[t.a])].tag, chiave))) {
      ++t.a;
    }
    t.nome = std::string(nome);
    tratti.push_back(t);
    i = t.a;
  }
  return tratti;
}

// "tunnel 'Name'", or the word alone.
std::string con_nome(const std::string& cosa, const std::string& nome) {
  return nome.empty() ? cosa : cosa + " '" + nome + "'";
}

// Tunnels: a remark each, and a montagna span where 50 m long or more.
void gallerie(const dati_osm& dati, const percorso_misurato& m, oggetti_linea& o) {
  for (const tratto_con& t : tratti_con(dati, m, "tunnel")) {
    const int32_t da = punto_piano(m, m.t.s[t.da]);
    const int32_t a = punto_piano(m, m.t.s[t.a]);
    o.note.push_back(con_nome("tunnel", t.nome) + " from " + metri_detti(da) + " to " + metri_detti(a));
    if (a - da >= 50) o.montagne.push_back({da, a, 11, ""});
  }
}

// Bridges: a remark each.
void ponti(const dati_osm& dati, const percorso_misurato& m, oggetti_linea& o) {
  for (const tratto_con& t : tratti_con(dati, m, "bridge")) {
    o.note.push_back(con_nome("bridge", t.nome) + " from " + metri_detti(punto_piano(m, m.t.s[t.da])) + " to " +
                     metri_detti(punto_piano(m, m.t.s[t.a])));
  }
}

// Level crossings: a sign board each where its cell is free.
void passaggi(const dati_osm& dati, const percorso_misurato& m, std::set<int64_t>& occupate, oggetti_linea& o) {
  std::vector<nodo_sul_percorso> trovati = nodi_sul_percorso(dati, m, "level_crossing");
  for (const nodo_sul_percorso& n : nodi_sul_percorso(dati, m, "crossing")) trovati.push_back(n);
  std::stable_sort(trovati.begin(), trovati.end(),
                   [](const nodo_sul_percorso& a, const nodo_sul_percorso& b) { return a.metro < b.metro; });
  for (const nodo_sul_percorso& n : trovati) {
    if (!occupate.insert(indice_cella(n.posizione)).second) {
      o.detto.push_back("level crossing n" + std::to_string(n.punto->id) + " at " + metri_detti(n.posizione) +
                        " has no sign board: its cell holds another item");
      continue;
    }
    o.cartelli.push_back({n.posizione, kDidascaliaPassaggio, ""});
  }
}

}  // namespace

std::set<int64_t> celle_stazioni(const std::vector<riga_stazione>& stazioni) {
  std::set<int64_t> celle;
  for (const riga_stazione& s : stazioni) {
    const double fine = std::nearbyint(s.posizione + s.lunghezza / 2.0);
    const int64_t fermata = static_cast<int64_t>(nearest(fine / 50.0 - 1.0));
    for (int64_t c = fermata - 4; c <= fermata; ++c) celle.insert(c);
  }
  return celle;
}

oggetti_linea oggetti_del_percorso(const dati_osm& dati, const percorso_misurato& m, std::set<int64_t>& occupate) {
  oggetti_linea o;
  gallerie(dati, m, o);
  ponti(dati, m, o);
  passaggi(dati, m, occupate, o);
  return o;
}

}  // namespace sb
