#include "running_time/run_track.h"

#include <map>

#include "documents/compiled_run.h"
#include "scenario/format.h"

namespace sb {
namespace {

// Appends a step where the value changes.
void aggiungi(std::vector<gradino>& profilo, int64_t da, double valore) {
  if (!profilo.empty() && profilo.back().valore == valore) return;
  profilo.push_back({da, valore});
}

// Where each station's stop point stands in the cells, by entry: an item in
// cell i stands at (i - 1) x 50 m.
std::map<int, int64_t> punti_fermata(const scenario& s) {
  std::map<int, int64_t> punti;
  for (size_t i = 0; i < s.celle.size(); ++i) {
    const cella& c = s.celle[i];
    if (c.tipo == tipo_cella::fermata) punti[c.dato_1] = (static_cast<int64_t>(i) - 1) * kLunghezzaCella;
  }
  return punti;
}

}  // namespace

percorso_marcia percorso_da_scenario(const scenario& s) {
  percorso_marcia p;
  // A cell's profile values hold from i x 50 m for 50 m.
  for (size_t i = 0; i < s.celle.size(); ++i) {
    const cella& c = s.celle[i];
    const int64_t da = static_cast<int64_t>(i) * kLunghezzaCella;
    aggiungi(p.limite_kmh, da, c.velocita * 5.0);
    aggiungi(p.pendenza, da, c.pendenza - 100.0);
    aggiungi(p.aderenza, da, c.aderenza);
  }
  for (const rallentamento_in_celle& r : rallentamenti_nelle_celle(s)) {
    const int64_t inizio = (static_cast<int64_t>(r.inizio) - 1) * kLunghezzaCella;
    const int64_t fine = r.fine < 0 ? inizio : (r.fine - 1) * kLunghezzaCella;
    p.rallentamenti.push_back({inizio, fine, static_cast<double>(r.velocita)});
  }
  const std::map<int, int64_t> fermate = punti_fermata(s);
  const std::vector<int> voci = voci_stazioni(s);
  for (size_t k = 0; k < voci.size(); ++k) {
    const oggetto& o = s.tabella[static_cast<size_t>(voci[k])];
    stazione_marcia st;
    st.voce = voci[k];
    st.nome = o.nome;
    st.ferma = o.tipo < kTipoTransito;
    const auto fermata = fermate.find(voci[k]);
    st.posizione = st.ferma && fermata != fermate.end() ? fermata->second : o.posizione;
    st.posizione_riga = o.posizione;
    st.sosta_s = o.opzione_3;
    st.con_orario = o.orario != 0;
    st.arrivo = o.orario;
    st.partenza = o.orario;
    // A stop between the origin and the destination gives its departure;
    // its arrival is that less its dwell.
    const bool intermedia = k > 0 && k + 1 < voci.size();
    if (intermedia && st.ferma) st.arrivo = o.orario - o.opzione_3;
    p.stazioni.push_back(st);
  }
  return p;
}

}  // namespace sb
