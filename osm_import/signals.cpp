#include "osm_import/signals.h"

#include <cmath>

#include "osm_import/route_nodes.h"
#include "scenario/scenario_records.h"

namespace sb {
namespace {

// The values of the built-in line's block signal and of its distant signal.
constexpr valori_segnale kSegnaleBlocco = {2, 1, 2, 1, 0, 2, 2, 1, 1, 0};
constexpr valori_segnale kSegnaleAvviso = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0};

// The nearest a signal may stand to the route's start: its four approach
// marks lie 100 to 400 m before it.
constexpr int32_t kSegnalePrimo = 325;

// Whether the node carries the tag.
bool ha(const punto_osm& p, const char* chiave) { return !valore_tag(p.tag, chiave).empty(); }

// Whether the signal faces the route's direction of travel.
bool per_questo_verso(const nodo_sul_percorso& n) {
  const std::string_view verso = valore_tag(n.punto->tag, "railway:signal:direction");
  if (verso.empty() || verso == "both") return true;
  return (verso == "forward") == n.avanti;
}

// Whether a position lies inside a station's extent.
bool in_una_stazione(int32_t p, const std::vector<riga_stazione>& stazioni) {
  for (const riga_stazione& s : stazioni) {
    if (p >= std::nearbyint(s.posizione - s.lunghezza / 2.0) && p <= std::nearbyint(s.posizione + s.lunghezza / 2.0)) {
      return true;
    }
  }
  return false;
}

// "signal n12 at 1 000 m".
std::string chi(const nodo_sul_percorso& n) {
  return "signal n" + std::to_string(n.punto->id) + " at " + metri_detti(n.posizione);
}

}  // namespace

segnali_percorso segnali_del_percorso(const dati_osm& dati, const percorso_misurato& m,
                                      const std::vector<riga_stazione>& stazioni, std::set<int64_t>& occupate) {
  segnali_percorso r;
  for (const nodo_sul_percorso& n : nodi_sul_percorso(dati, m, "signal")) {
    const punto_osm& p = *n.punto;
    const bool principale = ha(p, "railway:signal:main") || ha(p, "railway:signal:combined");
    const bool avviso = ha(p, "railway:signal:distant");
    if (!per_questo_verso(n)) {
      r.detto.push_back(chi(n) + " faces the other direction: not written");
    } else if (!principale && !avviso) {
      r.detto.push_back(chi(n) + " is neither a main nor a distant signal: not written");
    } else if (n.posizione < kSegnalePrimo || n.posizione + 100 > m.piano.lunghezza) {
      r.detto.push_back(chi(n) + " stands too near an end of the route for its approach marks: not written");
    } else if (in_una_stazione(n.posizione, stazioni)) {
      r.detto.push_back(chi(n) + " stands inside a station: not written");
    } else if (!occupate.insert(indice_cella(n.posizione)).second) {
      r.detto.push_back(chi(n) + " would share its cell with another item: not written");
    } else {
      r.righe.push_back({n.posizione, principale ? kSegnaleBlocco : kSegnaleAvviso, ""});
    }
  }
  return r;
}

}  // namespace sb
