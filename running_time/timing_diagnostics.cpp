#include "running_time/timing_diagnostics.h"

#include <cmath>

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

// The row an entry of the object table was read from; row 0 when none.
int32_t riga_di_voce(const scenario& s, int voce) {
  if (voce <= 0 || voce >= kNumeroOggetti) return 0;
  return s.riga_voce[static_cast<size_t>(voce)];
}

}  // namespace

std::vector<diagnostica> diagnostiche_orario(const risultato_marcia& r, const scenario& s) {
  std::vector<diagnostica> d;
  for (const rilievo_orario& x : rilievi_orario(r)) {
    diagnostica a;
    a.livello = x.livello;
    a.genere = genere_di(x, r);
    a.origine = origine_errore::testo_servizio;
    a.riga = riga_di_voce(s, x.voce_a);
    a.colonna = a.riga > 0 ? 1 : 0;
    a.messaggio = x.messaggio;
    d.push_back(a);
    diagnostica n;
    n.livello = gravita::nota;
    n.origine = origine_errore::testo_servizio;
    n.riga = riga_di_voce(s, x.voce_da);
    n.colonna = n.riga > 0 ? 1 : 0;
    n.messaggio = "the earlier station";
    d.push_back(n);
  }
  return d;
}

}  // namespace sb
