#include "service/placement_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "scenario/braking.h"
#include "scenario/format.h"
#include "service/station_row.h"

namespace sb {
namespace {

// The "velocita" rows in route order; rows at one position keep their text
// order.
std::vector<riga_annotata> limiti_ordinati(const lettura_servizio& r) {
  std::vector<riga_annotata> v = r.velocita;
  std::stable_sort(v.begin(), v.end(),
                   [](const riga_annotata& a, const riga_annotata& b) { return a.posizione < b.posizione; });
  return v;
}

// The first row that stands after x.
std::vector<riga_annotata>::const_iterator dopo(const std::vector<riga_annotata>& limiti, int64_t x) {
  return std::upper_bound(limiti.begin(), limiti.end(), x,
                          [](int64_t p, const riga_annotata& v) { return p < v.posizione; });
}

// The "velocita" row in force at x: the last that stands at or before it;
// null before the first.
const riga_annotata* limite_in(const std::vector<riga_annotata>& limiti, int64_t x) {
  const auto i = dopo(limiti, x);
  return i == limiti.begin() ? nullptr : &*(i - 1);
}

// The "velocita" row with the highest limit from x to x + tratto: the one in
// force at x and those that start on the way; null when none is.
const riga_annotata* limite_piu_alto(const std::vector<riga_annotata>& limiti, int64_t x, int64_t tratto) {
  const riga_annotata* alto = limite_in(limiti, x);
  for (auto i = dopo(limiti, x); i != limiti.end() && i->posizione <= x + tratto; ++i) {
    if (alto == nullptr || i->valore > alto->valore) alto = &*i;
  }
  return alto;
}

// "-5", "-4.5", "0.5": a number with one decimal where it has one.
std::string decimale(double g) {
  if (g == std::round(g)) return std::to_string(static_cast<int64_t>(g));
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.1f", g);
  return testo;
}

// Each signal strictly inside a station's extent, with a note at the station.
void segnali_in_stazione(scenario& s, const lettura_servizio& r) {
  for (const riga_annotata& g : r.segnali) {
    for (int32_t k = 1; k < r.stazione; ++k) {
      const oggetto& e = s.tabella[static_cast<size_t>(k)];
      if (g.posizione <= e.inizio || g.posizione >= e.fine) continue;
      registra_avviso(s, genere_avviso::segnale_in_stazione, g.dove,
                      "signal at " + std::to_string(g.posizione) + " m stands inside " + chi(e) + " (" +
                          std::to_string(e.inizio) + " m to " + std::to_string(e.fine) + " m): move it at least " +
                          std::to_string(e.fine - g.posizione) + " m on, or " +
                          std::to_string(g.posizione - e.inizio) + " m back, out of the station");
      const luogo_testo dove = s.luogo_voce[static_cast<size_t>(k)];
      if (dove.riga > 0) registra_nota(s, dove, "the station comes from this row");
    }
  }
}

// Each indicator of the line that shows more than the run's highest limit
// from it to kPortataIndicatore past it, with a note at that limit's row.
void indicatori_oltre_limite(scenario& s, const std::vector<riga_annotata>& limiti) {
  for (const indicatore_letto& i : s.tracce.indicatori) {
    const riga_annotata* limite = limite_piu_alto(limiti, i.posizione, kPortataIndicatore);
    if (limite == nullptr || limite->valore <= 0 || i.velocita <= limite->valore) continue;
    registra_avviso(s, genere_avviso::indicatore_oltre_limite, i.dove,
                    "maximum-speed indicator at " + std::to_string(i.posizione) + " m shows " +
                        std::to_string(i.velocita) + " km/h, but the service's speed limit there (up to " +
                        std::to_string(kPortataIndicatore) + " m past it) is " + std::to_string(limite->valore) +
                        " km/h: the driver is told a speed the run does not allow");
    registra_nota(s, limite->dove, "the limit comes from this row");
  }
}

// The mean gradient in per mille of the cells from boundary a up to the
// cell before boundary b.
double pendenza_media(const scenario& s, int64_t a, int64_t b) {
  double somma = 0;
  int64_t n = 0;
  for (int64_t c = a; c < b && c < static_cast<int64_t>(s.celle.size()); ++c, ++n) {
    somma += static_cast<double>(s.celle[static_cast<size_t>(c)].pendenza) - 100.0;
  }
  return n == 0 ? 0.0 : somma / static_cast<double>(n);
}

// The lowest speed, in steps of 5 km/h, that braking from v reaches within
// the distance; v or more when none below it does.
int32_t velocita_raggiungibile(double v_kmh, double pendenza, double distanza) {
  for (int32_t w = 0; w < v_kmh; w += 5) {
    if (distanza_frenatura(v_kmh, w, pendenza) <= distanza) return w;
  }
  return static_cast<int32_t>(std::ceil(v_kmh));
}

// Each slowdown whose warning point is nearer than the braking distance from
// the limit there, with a note at that limit's row.
void avvisi_troppo_vicini(scenario& s, const lettura_servizio& r, const std::vector<riga_annotata>& limiti) {
  for (const riga_annotata& x : r.rallentamenti) {
    if (x.posizione <= kRallentamentoSenzaAvviso) continue;
    const int64_t avviso = int64_t{x.posizione} - kDistanzaAvvisoRallentamento;
    const riga_annotata* limite = limite_in(limiti, avviso);
    if (limite == nullptr || limite->valore <= x.valore) continue;
    const double g = pendenza_media(s, indice_confine(avviso), indice_confine(x.posizione));
    const double d = distanza_frenatura(limite->valore, x.valore, g);
    if (d <= kDistanzaAvvisoRallentamento) continue;
    std::string m = "slowdown at " + std::to_string(x.posizione) + " m to " + std::to_string(x.valore) +
                    " km/h: its warning point stands " + std::to_string(kDistanzaAvvisoRallentamento) +
                    " m before it, but ";
    if (std::isinf(d)) {
      m += "on a mean gradient of " + decimale(g) + " per mille a brake of " + decimale(kFrenaturaServizio) +
           " m/s2 cannot slow the train from the limit of " + std::to_string(limite->valore) +
           " km/h at all: check the gradient rows before it";
    } else {
      m += "braking from the limit of " + std::to_string(limite->valore) + " km/h takes " +
           std::to_string(static_cast<int64_t>(std::ceil(d))) + " m (" + decimale(kFrenaturaServizio) +
           " m/s2 after " + decimale(kTempoReazione) + " s to react, mean gradient " + decimale(g) + " per mille): ";
      const int32_t w = velocita_raggiungibile(limite->valore, g, kDistanzaAvvisoRallentamento);
      if (w < limite->valore) m += "raise its speed to at least " + std::to_string(w) + " km/h, or ";
      m += "lower the limit before it";
    }
    registra_avviso(s, genere_avviso::avviso_troppo_vicino, x.dove, m);
    registra_nota(s, limite->dove, "the limit at the warning point comes from this row");
  }
}

}  // namespace

void avvisi_di_collocazione(scenario& s, const lettura_servizio& r) {
  const std::vector<riga_annotata> limiti = limiti_ordinati(r);
  segnali_in_stazione(s, r);
  indicatori_oltre_limite(s, limiti);
  avvisi_troppo_vicini(s, r, limiti);
}

}  // namespace sb
