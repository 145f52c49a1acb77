#include "decompile/pass_points.h"

#include <cstdint>
#include <cstdlib>

#include "passes/signal_pass.h"
#include "scenario/format.h"

namespace sb {
namespace {

// Cells around a difference whose points are tried the other way.
constexpr int64_t kRaggioRicerca = 24;

// Runs of the pass tried at most while looking for the author's points.
constexpr int kMassimoProve = 3000;

// The cells and the points of value 180 that may be the pass's.
struct ricerca {
  celle_percorso prima;        // the cells before the stamps, every candidate point in place
  std::vector<size_t> incerti; // cells holding a point of value 180
};

ricerca prepara(const celle_percorso& celle) {
  ricerca r{celle, {}};
  if (r.prima.size() > 1) {
    // The stamps wrote cell 1's dato_1 and dato_2; the compile left them 0.
    r.prima[1].dato_1 = 0;
    r.prima[1].dato_2 = 0;
  }
  for (size_t i = 0; i < celle.size(); ++i) {
    if (celle[i].tipo == tipo_cella::abbattimento && celle[i].dato_1 == kValorePunto) r.incerti.push_back(i);
  }
  return r;
}

// What a choice gives when the pass runs with the author's points only (the
// candidates not marked as the pass's): the cells whose kind and value the
// pass does not give back, and whether it recorded a code.
struct esito_prova {
  std::vector<int64_t> differenze;
  bool codice = false;
  int64_t cella_codice = 0;  // the cell the code names

  // Where to look for a better choice: the differences and the code's cell.
  std::vector<int64_t> luoghi() const {
    std::vector<int64_t> l = differenze;
    if (codice) l.push_back(cella_codice);
    return l;
  }

  // Fewer differences first; among equals, a run without a code.
  size_t peso() const { return 2 * differenze.size() + (codice ? 1 : 0); }
};

esito_prova prova(const ricerca& r, const std::vector<bool>& del_passaggio) {
  scenario s;
  s.celle = r.prima;
  for (size_t j = 0; j < r.incerti.size(); ++j) {
    if (!del_passaggio[j]) continue;
    cella& c = s.celle[r.incerti[j]];
    c.tipo = tipo_cella::libera;
    c.dato_1 = 0;
  }
  passaggio_segnali(s);
  esito_prova e;
  e.codice = s.codice_errore != 0;
  e.cella_codice = s.posizione_errore / kMetriCella;
  for (size_t i = 0; i < s.celle.size(); ++i) {
    if (s.celle[i].tipo != r.prima[i].tipo || s.celle[i].dato_1 != r.prima[i].dato_1) {
      e.differenze.push_back(static_cast<int64_t>(i));
    }
  }
  return e;
}

// The candidates within reach of a difference.
std::vector<size_t> vicini(const ricerca& r, const std::vector<int64_t>& diff) {
  std::vector<size_t> out;
  for (size_t j = 0; j < r.incerti.size(); ++j) {
    for (int64_t d : diff) {
      if (std::llabs(static_cast<int64_t>(r.incerti[j]) - d) <= kRaggioRicerca) {
        out.push_back(j);
        break;
      }
    }
  }
  return out;
}

// One step of the search: the one or two nearby candidates whose turning
// into the author's points weighs least, when less than now. False when none
// helps or the runs are used up.
bool migliora(const ricerca& r, std::vector<bool>& scelta, esito_prova& attuale, int& prove) {
  const std::vector<size_t> v = vicini(r, attuale.luoghi());
  std::vector<bool> migliore;
  for (size_t a = 0; a < v.size(); ++a) {
    for (size_t b = a; b < v.size(); ++b) {
      if (attuale.peso() == 0 || prove >= kMassimoProve) break;
      if (!scelta[v[a]] || !scelta[v[b]]) continue;
      ++prove;
      std::vector<bool> candidata = scelta;
      candidata[v[a]] = false;
      candidata[v[b]] = false;
      esito_prova e = prova(r, candidata);
      if (e.peso() >= attuale.peso()) continue;
      attuale = std::move(e);
      migliore = candidata;
    }
  }
  if (migliore.empty()) return false;
  scelta = migliore;
  return true;
}

}  // namespace

std::vector<bool> punti_del_passaggio(const celle_percorso& celle) {
  std::vector<bool> out(celle.size(), false);
  const ricerca r = prepara(celle);
  if (r.incerti.empty()) return out;
  std::vector<bool> scelta(r.incerti.size(), true);
  esito_prova attuale = prova(r, scelta);
  int prove = 0;
  while (attuale.peso() > 0 && migliora(r, scelta, attuale, prove)) {
  }
  if (!attuale.differenze.empty()) scelta.assign(r.incerti.size(), true);
  for (size_t j = 0; j < r.incerti.size(); ++j) out[r.incerti[j]] = scelta[j];
  return out;
}

}  // namespace sb
