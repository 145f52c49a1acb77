#include "running_time/timing_diagnostics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace sb {
namespace {

// The kind of a finding, by its level and whether a leg has a fastest time.
genere_avviso genere_di(const rilievo_orario& x, const risultato_marcia& r) {
  if (x.livello == gravita::avviso) return genere_avviso::margine_ridotto;
  if (x.tratta < r.tratte.size() && std::isfinite(r.tratte[x.tratta].tempo_minimo_s)) {
    return genere_avviso::tempo_insufficiente;
  }
  return genere_avviso::corsa_interrotta;
}

// Where the name of an entry of the object table was read; nowhere when it
// was not read from a text.
luogo_testo luogo_di_voce(const scenario& s, int voce) {
  if (voce <= 0 || voce >= kNumeroOggetti) return {};
  return s.luogo_voce[static_cast<size_t>(voce)];
}

// An entry of the service text at the station's name.
diagnostica alla_voce(const scenario& s, int voce, gravita livello, genere_avviso genere, std::string messaggio) {
  const luogo_testo l = luogo_di_voce(s, voce);
  diagnostica d;
  d.livello = livello;
  d.genere = genere;
  d.origine = l.riga > 0 ? l.origine : origine_errore::testo_servizio;
  d.riga = l.riga;
  d.colonna = l.colonna;
  d.messaggio = std::move(messaggio);
  return d;
}

// Where a finding stands along the route: the end of its leg, or where the
// train comes to a stand.
int64_t posizione_di(const rilievo_orario& x, const risultato_marcia& r) {
  if (x.tratta < r.tratte.size()) return r.stazioni[r.tratte[x.tratta].a].posizione_riga;
  return r.arresto;
}

}  // namespace

std::vector<diagnostica> diagnostiche_orario(const risultato_marcia& r, const scenario& s, int64_t fino_a) {
  std::vector<diagnostica> d;
  for (const rilievo_orario& x : rilievi_orario(r)) {
    const int64_t dove = posizione_di(x, r);
    if (dove > fino_a) continue;
    d.push_back(alla_voce(s, x.voce_a, x.livello, genere_di(x, r), x.messaggio));
    d.back().posizione = static_cast<int32_t>(std::clamp<int64_t>(dove, INT32_MIN, INT32_MAX));
    d.push_back(alla_voce(s, x.voce_da, gravita::nota, genere_avviso::nessuno, "the earlier station"));
  }
  return d;
}

}  // namespace sb
