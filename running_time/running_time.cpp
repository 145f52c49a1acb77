#include "running_time/running_time.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "documents/compiled_run.h"
#include "scenario/checked_conversion.h"

namespace sb {
namespace {

constexpr double kInfinito = std::numeric_limits<double>::infinity();

// Seconds in a day: a leg that runs past midnight.
constexpr int32_t kSecondiGiorno = 24 * 3600;

// A distance for an author in kilometres with one decimal, "1.4 km".
std::string chilometri(int64_t metri) {
  const int64_t decimi = (metri + 50) / 100;
  return std::to_string(decimi / 10) + "." + std::to_string(decimi % 10) + " km";
}

// A chainage for an author, "12.350 km".
std::string progressiva_testo(int64_t metri) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.3f km", static_cast<double>(metri) / 1000.0);
  return testo;
}

// The fastest time an author is told: whole seconds, rounded up (checked:
// the run keeps no time much past a day).
int64_t secondi_in_su(double s) { return intero_limitato(std::ceil(s), 0, kMassimoInteroEsatto); }

// "from A to B (1.4 km between the stations' positions) the timetable gives
// 1 min 30 s": the distance between the stations as their rows place them,
// as the train sheet reads (timing's table gives the one between the stop
// points).
std::string inizio_messaggio(const risultato_marcia& r, const tratta_orario& t) {
  const stazione_marcia& da = r.stazioni[t.da];
  const stazione_marcia& a = r.stazioni[t.a];
  return "from " + da.nome + " to " + a.nome + " (" + chilometri(a.posizione_riga - da.posizione_riga) +
         " between the stations' positions) the timetable gives " + durata_testo(t.tempo_previsto_s);
}

// Why the train cannot go on, for an author.
std::string causa_testo(const risultato_marcia& r) {
  if (r.causa == causa_arresto::limite_zero) return "a speed limit of 0 km/h";
  if (r.causa == causa_arresto::aderenza_zero) return "an adhesion of 0 %: the wheels take no effort";

  char testo[128];
  std::snprintf(testo, sizeof testo, "a gradient of %g per mille at %g %% adhesion is more than it can climb",
                r.pendenza_arresto, r.aderenza_arresto);
  return testo;
}

// The finding where the train comes to a stand: at the first leg it does not
// finish, or between the stations around the stand.
rilievo_orario rilievo_arresto(const risultato_marcia& r) {
  size_t prima = 0;
  while (prima + 1 < r.stazioni.size() && r.stazioni[prima + 1].posizione <= r.arresto) ++prima;
  const size_t dopo = std::min(prima + 1, r.stazioni.size() - 1);
  rilievo_orario x;
  x.tratta = r.tratte.size();
  for (size_t k = 0; k < r.tratte.size(); ++k) {
    if (r.tratte[k].a >= dopo) {
      x.tratta = k;
      break;
    }
  }
  x.voce_da = r.stazioni[prima].voce;
  x.voce_a = r.stazioni[dopo].voce;
  x.messaggio = "between " + r.stazioni[prima].nome + " and " + r.stazioni[dopo].nome;
  if (r.causa == causa_arresto::oltre_un_giorno) {
    x.messaggio += " the run has taken more than a day at " + progressiva_testo(r.progressiva_arresto) +
                   " and is not followed further: the train profile makes the train too slow";
    return x;
  }
  x.messaggio += " the train comes to a stand at " + progressiva_testo(r.progressiva_arresto) + " and cannot go on: " +
                 causa_testo(r);
  return x;
}

}  // namespace

std::vector<tratta_orario> tratte_di(const percorso_marcia& p, const corsa& c) {
  std::vector<tratta_orario> tratte;
  if (c.arrivo_s.size() != p.stazioni.size()) return tratte;
  size_t precedente = p.stazioni.size();
  for (size_t k = 0; k < p.stazioni.size(); ++k) {
    if (!p.stazioni[k].con_orario) continue;
    if (precedente < p.stazioni.size()) {
      const stazione_marcia& da = p.stazioni[precedente];
      const stazione_marcia& a = p.stazioni[k];
      tratta_orario t;
      t.da = precedente;
      t.a = k;
      t.distanza_m = a.posizione - da.posizione;
      t.partenza = da.partenza;
      t.arrivo = a.arrivo;
      t.tempo_previsto_s = a.arrivo - da.partenza;
      // A time earlier than the one before is the next day's (the compile
      // warns where the times go backwards).
      if (t.tempo_previsto_s < 0) t.tempo_previsto_s += kSecondiGiorno;
      t.tempo_minimo_s = c.arrivo_s[k] - c.partenza_s[precedente];
      t.margine_s = t.tempo_previsto_s - t.tempo_minimo_s;
      t.margine_pct = t.tempo_minimo_s > 0 ? t.margine_s / t.tempo_minimo_s * 100.0 : 0.0;
      if (!std::isfinite(c.arrivo_s[k])) {
        t.tempo_minimo_s = kInfinito;
        t.margine_s = t.margine_pct = -kInfinito;
      }
      tratte.push_back(t);
    }
    precedente = k;
  }
  return tratte;
}

risultato_marcia tempi_di_marcia(const scenario& s, const profilo_treno& p) {
  risultato_marcia r;
  const int32_t vetture = s.tabella[kOggettoGenerale].posizione;
  r.vetture = vetture > 0 ? vetture : kVettureSenzaNumero;
  r.modello = risolvi_treno(p, r.vetture);
  const percorso_marcia percorso = percorso_da_scenario(s);
  const corsa c = corsa_piu_veloce(percorso, r.modello);
  r.esito = c.esito;
  r.arresto = c.arresto;
  r.progressiva_arresto = progressiva_a(s.tabella, c.arresto);
  r.causa = c.causa;
  r.pendenza_arresto = c.pendenza_arresto;
  r.aderenza_arresto = c.aderenza_arresto;
  r.stazioni = percorso.stazioni;
  r.arrivo_s = c.arrivo_s;
  r.partenza_s = c.partenza_s;
  r.tratte = tratte_di(percorso, c);
  r.campioni.reserve(c.campioni.size());
  for (const campione_corsa& x : c.campioni) {
    r.campioni.push_back({indice_cella(x.posizione), x.posizione, progressiva_a(s.tabella, x.posizione),
                          x.limite_kmh, x.velocita_kmh, x.tempo_s});
  }
  return r;
}

std::vector<rilievo_orario> rilievi_orario(const risultato_marcia& r) {
  std::vector<rilievo_orario> rilievi;
  for (size_t k = 0; k < r.tratte.size(); ++k) {
    const tratta_orario& t = r.tratte[k];
    if (!std::isfinite(t.tempo_minimo_s)) continue;
    const int voce_da = r.stazioni[t.da].voce;
    const int voce_a = r.stazioni[t.a].voce;
    if (t.margine_s < 0) {
      rilievi.push_back({k, gravita::errore, voce_da, voce_a,
                         inizio_messaggio(r, t) + "; the train needs at least " +
                             durata_testo(secondi_in_su(t.tempo_minimo_s))});
      continue;
    }
    if (t.margine_pct >= r.modello.margine_recupero) continue;
    char margine[96];
    std::snprintf(margine, sizeof margine, "a margin of %.1f %%, below the recovery margin of %g %%", t.margine_pct,
                  r.modello.margine_recupero);
    rilievi.push_back({k, gravita::avviso, voce_da, voce_a,
                       inizio_messaggio(r, t) + " and the fastest run takes " +
                           durata_testo(secondi_in_su(t.tempo_minimo_s)) + ": " + margine});
  }
  if (r.esito == esito_corsa::ferma && !r.stazioni.empty()) rilievi.push_back(rilievo_arresto(r));
  return rilievi;
}

std::string durata_testo(int64_t secondi) {
  if (secondi == 0) return "0 s";
  const uint64_t n = secondi < 0 ? 0 - static_cast<uint64_t>(secondi) : static_cast<uint64_t>(secondi);
  const uint64_t ore = n / 3600;
  const uint64_t minuti = n / 60 % 60;
  const uint64_t resto = n % 60;
  std::string testo = secondi < 0 ? "-" : "";
  auto parte = [&testo](uint64_t quanti, const char* unita) {
    if (quanti == 0) return;
    if (!testo.empty() && testo != "-") testo += " ";
    testo += std::to_string(quanti) + " " + unita;
  };
  parte(ore, "h");
  parte(minuti, "min");
  parte(resto, "s");
  return testo;
}

}  // namespace sb
