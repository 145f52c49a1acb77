#include "running_time/proposed_timetable.h"

#include <cmath>

namespace sb {
namespace {

constexpr int64_t kSecondiGiorno = 24 * 3600;

// Whether station k is a stop between the origin and the destination: there
// its time is the departure after a dwell.
bool sosta_intermedia(const risultato_marcia& r, size_t k) {
  return k > 0 && k + 1 < r.stazioni.size() && r.stazioni[k].ferma;
}

// A time on the clock (seconds, may pass midnight) rounded up to a multiple
// of the step; never 0 0 0 in the day, which reads as no time at all.
int64_t in_su(double secondi, int32_t passo) {
  int64_t t = static_cast<int64_t>(std::ceil(secondi / passo)) * passo;
  if (t % kSecondiGiorno == 0) t += passo;
  return t;
}

// The time in the day, seconds since midnight.
int32_t nel_giorno(int64_t t) { return static_cast<int32_t>(((t % kSecondiGiorno) + kSecondiGiorno) % kSecondiGiorno); }

// Why a run gives no proposal; empty when it does.
std::string senza_proposta(const risultato_marcia& r, const richiesta_proposta& q) {
  if (r.esito == esito_corsa::senza_corsa) return "the service has fewer than two stations";
  if (r.esito == esito_corsa::fuori_ordine) return "the stations do not follow each other along the route";
  if (r.esito == esito_corsa::ferma) return "the train cannot go on past " + std::to_string(r.arresto) + " m";
  if (q.arrotonda_s <= 0) return "the rounding must be at least 1 s";
  return "";
}

}  // namespace

int32_t arrivo_letto(const risultato_marcia& r, size_t k, int32_t orario) {
  if (!sosta_intermedia(r, k)) return orario;
  return orario - r.stazioni[k].sosta_s;
}

proposta_orario proponi_orario(const risultato_marcia& r, const richiesta_proposta& q) {
  proposta_orario p;
  p.errore = senza_proposta(r, q);
  if (!p.errore.empty()) return p;
  const double fattore = 1.0 + q.margine_pct / 100.0;
  int64_t partenza = q.partenza;  // from the last timed station (the origin's to begin with), on the clock
  double partenza_corsa = 0.0;    // the same in the run's seconds
  for (size_t k = 0; k < r.stazioni.size(); ++k) {
    const stazione_marcia& st = r.stazioni[k];
    if (!st.con_orario) continue;
    orario_proposto o;
    o.stazione = k;
    o.attuale = st.partenza;
    if (k == 0) {
      o.proposto = nel_giorno(partenza);
      p.orari.push_back(o);
      continue;
    }
    o.con_tratta = true;
    o.minimo_s = r.arrivo_s[k] - partenza_corsa;
    const double arrivo = static_cast<double>(partenza) + o.minimo_s * fattore;
    const double sosta = sosta_intermedia(r, k) ? sosta_di(st, r.modello) : 0.0;
    int64_t proposto = in_su(arrivo + sosta, q.arrotonda_s);
    // The leg as the timetable reads it, in the same arithmetic as check:
    // a step later where rounding left it a hair short.
    auto margine = [&](int64_t t) {
      const int64_t previsto = t - (sosta_intermedia(r, k) ? st.sosta_s : 0) - partenza;
      return (static_cast<double>(previsto) - o.minimo_s) / o.minimo_s * 100.0;
    };
    while (o.minimo_s > 0 && margine(proposto) < q.margine_pct) {
      proposto = in_su(static_cast<double>(proposto + 1), q.arrotonda_s);
    }
    o.proposto = nel_giorno(proposto);
    o.previsto_s = static_cast<int32_t>(proposto - (sosta_intermedia(r, k) ? st.sosta_s : 0) - partenza);
    o.margine_pct = o.minimo_s > 0 ? margine(proposto) : 0.0;
    p.orari.push_back(o);
    partenza = proposto;
    partenza_corsa = r.partenza_s[k];
  }
  return p;
}

}  // namespace sb
