#include "running_time/fastest_run.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sb {
namespace {

constexpr double kInfinito = std::numeric_limits<double>::infinity();

// An acceleration, m/s², far above the rounding of the forces (a few
// 1e-15 m/s²) and far below any a train shows.
constexpr double kAccelerazioneCerta = 1e-6;

// A stretch between two consecutive points of interest, over which limit,
// gradient and adhesion are constant.
struct tratto {
  int64_t da = 0;
  int64_t a = 0;
  double limite = 0;  // m/s
  double pendenza = 0;
  double aderenza = 0;
};

// The value of a profile at a position; the first step's before it, `vuoto`
// when the profile has none.
class lettore_profilo {
 public:
  lettore_profilo(const std::vector<gradino>& p, double vuoto) : p_(p), vuoto_(vuoto) {}

  // Positions must come in ascending order.
  double a(int64_t x) {
    if (p_.empty()) return vuoto_;
    while (i_ + 1 < p_.size() && p_[i_ + 1].da <= x) ++i_;
    return p_[i_].valore;
  }

 private:
  const std::vector<gradino>& p_;
  double vuoto_;
  size_t i_ = 0;
};

// Whole metres the train's length takes, rounded up.
int64_t metri_lunghezza(const treno& t) {
  if (!(t.lunghezza_m > 0)) return 0;
  return static_cast<int64_t>(std::ceil(t.lunghezza_m));
}

// Every position where something changes between the origin and the
// destination, both included, in ascending order.
std::vector<int64_t> punti_di_cambio(const percorso_marcia& p, const treno& t, int64_t inizio, int64_t fine) {
  std::vector<int64_t> punti{inizio, fine};
  auto dentro = [&](int64_t x) {
    if (x > inizio && x < fine) punti.push_back(x);
  };
  for (const auto* profilo : {&p.limite_kmh, &p.pendenza, &p.aderenza}) {
    for (const gradino& g : *profilo) dentro(g.da);
  }
  const int64_t coda = metri_lunghezza(t);
  for (const gradino& g : p.limite_kmh) dentro(g.da + coda);
  for (const rallentamento_marcia& r : p.rallentamenti) {
    dentro(r.inizio);
    dentro(r.fine + coda);
  }
  for (const stazione_marcia& st : p.stazioni) dentro(st.posizione);
  std::sort(punti.begin(), punti.end());
  punti.erase(std::unique(punti.begin(), punti.end()), punti.end());
  return punti;
}

// The lowest line limit under a train whose front is at x and whose rear is
// `coda` metres behind it: a lower limit holds until the whole train has
// passed its end. Infinite where the profile has none.
double limite_sotto_il_treno(const std::vector<gradino>& limiti, int64_t x, int64_t coda) {
  if (limiti.empty()) return kInfinito;
  // The step under the rear (the first one's value before it), then every
  // step that begins between the rear and the front.
  auto passo = std::upper_bound(limiti.begin(), limiti.end(), x - coda,
                                [](int64_t pos, const gradino& g) { return pos < g.da; });
  if (passo != limiti.begin()) --passo;
  double v = passo->valore;
  for (++passo; passo != limiti.end() && passo->da <= x; ++passo) v = std::min(v, passo->valore);
  return v;
}

// The stretches between the points, each with its limit (the lowest line
// limit and every slowdown's speed that the train's length still stands on,
// the train's own), gradient and adhesion.
std::vector<tratto> tratti_di(const percorso_marcia& p, const treno& t, const std::vector<int64_t>& punti) {
  lettore_profilo pendenza(p.pendenza, 0.0), aderenza(p.aderenza, 100.0);
  const int64_t coda = metri_lunghezza(t);
  std::vector<tratto> tratti;
  for (size_t j = 0; j + 1 < punti.size(); ++j) {
    const int64_t x = punti[j];
    double v = std::min(limite_sotto_il_treno(p.limite_kmh, x, coda) / kKmhPerMs, t.velocita_massima);
    for (const rallentamento_marcia& r : p.rallentamenti) {
      if (r.inizio <= x && x < r.fine + coda) v = std::min(v, r.velocita_kmh / kKmhPerMs);
    }
    tratti.push_back({x, punti[j + 1], std::max(v, 0.0), pendenza.a(x), aderenza.a(x)});
  }
  return tratti;
}

// The squared speed the train may have at each point: the limits of the
// stretches on both sides, 0 at a stop, and what braking at the service rate
// leaves for every point after it.
std::vector<double> tetti_ai_punti(const std::vector<tratto>& tratti, const std::vector<bool>& fermate, double b) {
  std::vector<double> tetto(tratti.size() + 1);
  const tratto& ultimo = tratti.back();
  tetto.back() = fermate.back() ? 0.0 : ultimo.limite * ultimo.limite;
  for (size_t j = tratti.size(); j-- > 0;) {
    const tratto& tr = tratti[j];
    double w = std::min(tr.limite * tr.limite, tetto[j + 1] + 2.0 * b * static_cast<double>(tr.a - tr.da));
    if (j > 0) w = std::min(w, tratti[j - 1].limite * tratti[j - 1].limite);
    if (fermate[j]) w = 0.0;
    tetto[j] = w;
  }
  return tetto;
}

// The forward run, step by step.
class marcia_avanti {
 public:
  marcia_avanti(const percorso_marcia& p, const treno& t, corsa& c) : p_(p), t_(t), c_(c) {}

  // Runs the stretches; false where the train comes to a stand.
  bool esegui(const std::vector<tratto>& tratti, const std::vector<double>& tetto, const std::vector<int64_t>& punti) {
    prossimo_campione_ = (punti.front() + kLunghezzaCella - 1) / kLunghezzaCella * kLunghezzaCella;
    if (punti.front() < 0) prossimo_campione_ = punti.front() / kLunghezzaCella * kLunghezzaCella;
    size_t stazione = 0;
    for (size_t j = 0; j < tratti.size(); ++j) {
      const tratto& tr = tratti[j];
      stazione = al_punto(tr.da, tr.limite, stazione);
      if (!percorri(tr, tetto[j + 1])) {
        ferma_in(tr);
        return false;
      }
    }
    al_punto(tratti.back().a, tratti.back().limite, stazione);
    return true;
  }

 private:
  // One stretch from its start to its end, where the squared speed may be
  // at most tetto_fine.
  bool percorri(const tratto& tr, double tetto_fine) {
    const double limite2 = tr.limite * tr.limite;
    const forze_tratto forze = forze_di(t_, tr.pendenza, tr.aderenza);
    const int64_t fine_regime = fine_del_regime(tr, forze, tetto_fine);
    const bool trazione_ovunque = trazione_fino_al_limite(tr, forze);
    for (int64_t x = tr.da; x < tr.a; ++x) {
      if (oltre_un_giorno(x)) return false;
      if (x > tr.da && x == prossimo_campione_) campiona(x, tr.limite);
      if (x < fine_regime && w_ == limite2) {
        // Held at the limit: every metre takes the same time, up to the next
        // sample or the braking curve.
        const int64_t n = std::min(fine_regime, prossimo_campione_) - x;
        if (n > 1) {
          tempo_ += static_cast<double>(n) * (1.0 / v_);
          x += n - 1;
          continue;
        }
      }
      if (trazione_ovunque) {
        const int64_t n = frena_sulla_curva(tr, x, tetto_fine);
        if (n > 0) {
          x += n - 1;
          continue;
        }
      }
      const double tetto = tetto_a(tr, x, tetto_fine);
      // On a braking curve where the traction would go faster at every
      // speed up to the limit, the curve alone sets the speed.
      const bool sulla_curva = w_ >= tetto && w_ <= limite2 && trazione_ovunque;
      const double w = sulla_curva ? tetto : passo_trazione(forze, tetto);
      const double v = std::sqrt(std::max(w, 0.0));
      if (w < 0.0 || v_ + v <= 0.0) {
        fermo_a_ = x;
        return false;
      }
      tempo_ += 2.0 / (v_ + v);
      w_ = w;
      v_ = v;
    }
    return !oltre_un_giorno(tr.a);
  }

  // Whether the run has passed a day on reaching metre x: it stops there,
  // so that no time past it is ever kept (a profile of tiny values would
  // take years, and more than a number of seconds can hold).
  bool oltre_un_giorno(int64_t x) {
    if (tempo_ <= kTempoMassimoCorsa) return false;
    fermo_a_ = x;
    oltre_ = true;
    return true;
  }

  // The highest squared speed at the end of metre x of a stretch: the
  // stretch's limit, and the braking curve down to tetto_fine at its end.
  double tetto_a(const tratto& tr, int64_t x, double tetto_fine) const {
    if (x + 1 == tr.a) return tetto_fine;
    const double resto = static_cast<double>(tr.a - x - 1);
    return std::min(tr.limite * tr.limite, tetto_fine + 2.0 * t_.frenatura * resto);
  }

  // Where the train brakes along the curve below the limit with a traction
  // that could go faster, runs the metres from x up to the next sample or
  // the stretch's last metre at once and returns how many; 0 where it does
  // not. The first metre falls onto the curve, as a step would; over the
  // rest the speed drops at the service rate, so their times, each 2 / (v + v')
  // with v² - v'² = 2b, add up to (v - v') / b.
  int64_t frena_sulla_curva(const tratto& tr, int64_t x, double tetto_fine) {
    const double limite2 = tr.limite * tr.limite;
    const int64_t fine = std::min(tr.a - 1, prossimo_campione_);
    if (fine - x < 2) return 0;
    const double w1 = tetto_a(tr, x, tetto_fine);
    if (!(w1 < limite2) || w_ < w1 || w_ > limite2) return 0;
    const double v1 = std::sqrt(w1);
    const double w = tetto_a(tr, fine - 1, tetto_fine);
    const double v = std::sqrt(w);
    tempo_ += 2.0 / (v_ + v1) + (v1 - v) / t_.frenatura;
    w_ = w;
    v_ = v;
    return fine - x;
  }

  // The squared speed after one metre from the present speed, at most
  // tetto: held or braked to where the traction could go faster, else
  // the traction's (Heun's step over the metre).
  double passo_trazione(const forze_tratto& forze, double tetto) const {
    const double a1 = accelerazione_trazione(forze, v_);
    if (w_ >= tetto && a1 >= 0.0) return tetto;
    const double previsto = w_ + 2.0 * a1;
    const double a2 = accelerazione_trazione(forze, std::sqrt(std::max(previsto, 0.0)));
    return std::min(tetto, w_ + a1 + a2);
  }

  // Whether the traction accelerates the train at every speed from 0 to the
  // stretch's limit, so that a braking curve needs no force evaluated: the
  // effort of a power-limited train falls with speed and its resistance
  // rises, so the acceleration is least at the limit; there it must be
  // clear of 0 by more than any rounding.
  bool trazione_fino_al_limite(const tratto& tr, const forze_tratto& forze) const {
    const bool decrescente = t_.sforzo.empty() && t_.potenza_w >= 0.0 && t_.resistenza_1 >= 0.0 &&
                             t_.resistenza_2 >= 0.0 && t_.vento_kmh >= 0.0;
    if (!decrescente || !std::isfinite(tr.limite)) return false;
    return accelerazione_trazione(forze, tr.limite) > kAccelerazioneCerta;
  }

  // The first metre of a stretch from which the train can no longer be held
  // at the stretch's limit: the braking curve towards tetto_fine reaches
  // below the limit, or the last metre. The stretch's own start when the
  // traction cannot hold the limit on its gradient and adhesion.
  int64_t fine_del_regime(const tratto& tr, const forze_tratto& forze, double tetto_fine) const {
    const double limite2 = tr.limite * tr.limite;
    const double b2 = 2.0 * t_.frenatura;
    if (!(tr.limite > 0.0) || !std::isfinite(limite2) || !(b2 > 0.0)) return tr.da;
    if (accelerazione_trazione(forze, tr.limite) < 0.0) return tr.da;
    // The metres still to run after a metre that the limit holds, as the step
    // computes them: limite2 <= tetto_fine + b2 * resto.
    auto tiene = [&](int64_t resto) { return limite2 <= tetto_fine + b2 * static_cast<double>(resto); };
    int64_t resto = 0;
    if (!tiene(0)) {
      const double stima = std::ceil((limite2 - tetto_fine) / b2);
      resto = stima < static_cast<double>(tr.a - tr.da) ? static_cast<int64_t>(stima) : tr.a - tr.da;
      while (resto > 0 && tiene(resto - 1)) --resto;
      while (resto < tr.a - tr.da && !tiene(resto)) ++resto;
    }
    // A metre x is held when its resto (tr.a - x - 1) reaches that; the
    // last metre goes through the step, which brakes to tetto_fine.
    return std::max(tr.da, std::min(tr.a - 1, tr.a - resto));
  }

  // At a point of interest: a sample where one falls, a station's times.
  // Returns the next station to look for.
  size_t al_punto(int64_t x, double limite, size_t stazione) {
    if (x == prossimo_campione_) campiona(x, limite);
    while (stazione < p_.stazioni.size() && p_.stazioni[stazione].posizione == x) {
      const stazione_marcia& st = p_.stazioni[stazione];
      c_.arrivo_s[stazione] = tempo_;
      const bool intermedia = stazione > 0 && stazione + 1 < p_.stazioni.size();
      if (intermedia && st.ferma) tempo_ += sosta_di(st, t_);
      c_.partenza_s[stazione] = tempo_;
      ++stazione;
    }
    return stazione;
  }

  void campiona(int64_t x, double limite) {
    c_.campioni.push_back({x, limite * kKmhPerMs, v_ * kKmhPerMs, tempo_});
    prossimo_campione_ += kLunghezzaCella;
  }

  // Where the train comes to a stand in a stretch, and why.
  void ferma_in(const tratto& tr) {
    c_.esito = esito_corsa::ferma;
    c_.arresto = fermo_a_;
    c_.causa = oltre_                ? causa_arresto::oltre_un_giorno
               : tr.limite <= 0.0     ? causa_arresto::limite_zero
               : tr.aderenza <= 0.0 ? causa_arresto::aderenza_zero
                                    : causa_arresto::pendenza;
    c_.pendenza_arresto = tr.pendenza;
    c_.aderenza_arresto = tr.aderenza;
  }

  const percorso_marcia& p_;
  const treno& t_;
  corsa& c_;
  double w_ = 0.0;  // squared speed
  double v_ = 0.0;
  double tempo_ = 0.0;
  int64_t prossimo_campione_ = 0;
  int64_t fermo_a_ = 0;  // the last metre the train reaches, when it cannot go on
  bool oltre_ = false;   // the run stopped where it passed a day
};

// Whether every station stands after the one before it.
bool in_ordine(const std::vector<stazione_marcia>& stazioni) {
  for (size_t k = 1; k < stazioni.size(); ++k) {
    if (stazioni[k].posizione <= stazioni[k - 1].posizione) return false;
  }
  return true;
}

}  // namespace

double sosta_di(const stazione_marcia& st, const treno& t) {
  return std::max(static_cast<double>(st.sosta_s), t.sosta_minima_s);
}

corsa corsa_piu_veloce(const percorso_marcia& p, const treno& t) {
  corsa c;
  if (p.stazioni.size() < 2) return c;
  if (!in_ordine(p.stazioni)) {
    c.esito = esito_corsa::fuori_ordine;
    return c;
  }
  c.arrivo_s.assign(p.stazioni.size(), kInfinito);
  c.partenza_s.assign(p.stazioni.size(), kInfinito);
  const std::vector<int64_t> punti = punti_di_cambio(p, t, p.stazioni.front().posizione, p.stazioni.back().posizione);
  const std::vector<tratto> tratti = tratti_di(p, t, punti);
  std::vector<bool> fermate(punti.size(), false);
  for (size_t k = 1; k < p.stazioni.size(); ++k) {
    if (!p.stazioni[k].ferma) continue;
    const size_t j = static_cast<size_t>(std::lower_bound(punti.begin(), punti.end(), p.stazioni[k].posizione) -
                                         punti.begin());
    fermate[j] = true;
  }
  const std::vector<double> tetto = tetti_ai_punti(tratti, fermate, t.frenatura);
  c.esito = esito_corsa::completa;
  c.campioni.reserve(static_cast<size_t>((punti.back() - punti.front()) / kLunghezzaCella + 2));
  marcia_avanti(p, t, c).esegui(tratti, tetto, punti);
  return c;
}

}  // namespace sb
