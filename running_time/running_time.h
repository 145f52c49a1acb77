// Running times of a compiled scenario: the fastest run of its train under
// the line's limits, gradients and stops, set against its timetable leg by
// leg, with the run's speed and time at every 50 m cell. What the timing
// command prints, what check warns of and what the page draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "running_time/fastest_run.h"
#include "running_time/run_track.h"
#include "running_time/train_profile.h"
#include "scenario/scenario_records.h"

namespace sb {

// A leg between two stations with a time, next to each other among the timed
// ones (stations without a time may stand between them).
struct tratta_orario {
  size_t da = 0;  // the stations of the run (risultato_marcia::stazioni)
  size_t a = 0;
  int64_t distanza_m = 0;
  int32_t partenza = 0;          // from da, seconds since midnight
  int32_t arrivo = 0;            // at a
  int32_t tempo_previsto_s = 0;  // arrivo - partenza
  // The fastest run from the departure to the arrival, the dwells at the
  // stops between included; infinite when the train cannot get there.
  double tempo_minimo_s = 0;
  double margine_s = 0;    // tempo_previsto_s - tempo_minimo_s
  double margine_pct = 0;  // margine_s in per cent of tempo_minimo_s

  bool operator==(const tratta_orario&) const = default;
};

// The run at one 50 m cell, where the cell begins.
struct campione_cella {
  int64_t cella = 0;  // the cell's index: cell i begins at (i - 1) x 50 m
  int64_t posizione = 0;    // metres
  int64_t progressiva = 0;  // metres, the line's chainage there
  double limite_kmh = 0;
  double velocita_kmh = 0;
  double tempo_s = 0;       // since the departure from the origin, dwells included

  bool operator==(const campione_cella&) const = default;
};

// The running times of one scenario with one train.
struct risultato_marcia {
  esito_corsa esito = esito_corsa::senza_corsa;
  int64_t arresto = 0;  // where the train cannot go on (esito ferma)
  int64_t progressiva_arresto = 0;  // the chainage there
  causa_arresto causa = causa_arresto::nessuna;
  double pendenza_arresto = 0;
  double aderenza_arresto = 0;
  int32_t vetture = 0;  // the vehicles the model took
  treno modello;
  std::vector<stazione_marcia> stazioni;  // with the timetable as the train sheet reads it
  std::vector<double> arrivo_s;           // the fastest run's, since the departure from the origin
  std::vector<double> partenza_s;
  std::vector<tratta_orario> tratte;
  std::vector<campione_cella> campioni;
};

// The fastest run of a compiled scenario's train with a profile, and its
// legs against the timetable. The number of vehicles is the service's
// (`numero vetture`), the default profile's four when it gives none.
risultato_marcia tempi_di_marcia(const scenario& s, const profilo_treno& p);

// The legs of a run: between each timed station and the next timed one.
std::vector<tratta_orario> tratte_di(const percorso_marcia& p, const corsa& c);

// What check tells an author about a leg.
struct rilievo_orario {
  size_t tratta = 0;  // index into risultato_marcia::tratte
  gravita livello = gravita::errore;  // errore: shorter than the fastest run; avviso: below the recovery margin
  int voce_da = 0;    // entries of the object table, for the rows of the two stations
  int voce_a = 0;
  std::string messaggio;

  bool operator==(const rilievo_orario&) const = default;
};

// The legs whose scheduled time is shorter than the fastest run (an error)
// or leaves less than the recovery margin (a warning), and where the train
// cannot go on.
std::vector<rilievo_orario> rilievi_orario(const risultato_marcia& r);

// A duration for an author, "1 min 52 s"; whole seconds.
std::string durata_testo(int64_t secondi);

}  // namespace sb
