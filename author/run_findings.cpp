#include "author/run_findings.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "running_time/running_time.h"
#include "running_time/timing_diagnostics.h"
#include "scenario/diagnostic_cap.h"
#include "scenario/error_codes.h"

namespace sb {
namespace {

// The compile whose records the run is made on; null when there is no run.
const risultato_compile* compile_per_marcia(const compile_letto_oltre& c) {
  const risultato_compile& r = c.oltre ? *c.oltre : c.r;
  if (c.r.fine == fine_compile::guardia || r.fine != fine_compile::completata || r.s.celle.empty()) return nullptr;
  return &r;
}

// The first place on the route an error stands at: the run is trusted up to
// there. Far beyond the route when no error names a place.
int64_t primo_errore_sul_percorso(const std::vector<diagnostica>& trovate) {
  int64_t fino = std::numeric_limits<int64_t>::max();
  for (const diagnostica& d : trovate) {
    if (d.livello != gravita::errore || d.codice == 0) continue;
    if (d.origine != origine_errore::passaggio && !ha_posizione(d.codice)) continue;
    fino = std::min<int64_t>(fino, d.posizione);
  }
  return fino;
}

}  // namespace

std::vector<diagnostica> rilievi_marcia(const compile_letto_oltre& c, const profilo_treno& p,
                                        const std::vector<diagnostica>& trovate) {
  const risultato_compile* r = compile_per_marcia(c);
  if (r == nullptr) return {};
  std::vector<diagnostica> d = diagnostiche_orario(tempi_di_marcia(r->s, p), r->s, primo_errore_sul_percorso(trovate));
  if (!c.oltre && c.r.s.codice_errore == 0) return d;
  // After a failed row the profiles may not be filled to the route's end: a
  // stand is told only of a compile without a code.
  std::vector<diagnostica> tenute;
  bool tieni = true;
  for (diagnostica& x : d) {
    if (!nota_su_precedente(x)) tieni = x.genere != genere_avviso::corsa_interrotta;
    if (tieni) tenute.push_back(std::move(x));
  }
  return tenute;
}

}  // namespace sb
