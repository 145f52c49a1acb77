// The working state of one read of the service text and the steps its rows
// share: reading values, the route check, recording a code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "scenario/compile_step.h"
#include "scenario/scenario_records.h"
#include "text_input/field_reader.h"

namespace sb {

// Working state of one read, gone when the phase returns.
struct lettura_servizio {
  explicit lettura_servizio(std::string_view testo) : lettore(testo) {}

  lettore_campi lettore;
  int32_t riga_chiave = 0;          // line of the current row's keyword
  int64_t indice_velocita = 0;      // first cell whose velocita is not yet set
  int64_t indice_aderenza = 0;      // first cell whose aderenza is not yet set
  int32_t velocita_precedente = 0;  // speed of the last "velocita" row
  int32_t aderenza_precedente = 0;  // value of the last "aderenza" row
  int32_t riga_velocita = 0;        // line of the last "velocita" row
  int32_t stazione = 1;             // entry that takes the next station
};

// Last cell index N (the cells run 0 to N); -1 when there are no cells.
inline int64_t ultima_cella(const scenario& s) { return static_cast<int64_t>(s.celle.size()) - 1; }

// Whether cell i exists.
inline bool cella_esiste(const scenario& s, int64_t i) { return i >= 0 && i <= ultima_cella(s); }

// Reads one value of a row; false on a read failure.
bool leggi(lettura_servizio& r, int32_t& valore);
bool leggi(lettura_servizio& r, int16_t& valore);
bool leggi(lettura_servizio& r, uint8_t& valore);

// Records a code pointing at the current row's keyword; returns fermata.
passo ferma(scenario& s, const lettura_servizio& r, int32_t codice);

// Records a code and the row's position; returns fermata.
passo ferma_in(scenario& s, const lettura_servizio& r, int32_t codice, int32_t posizione);

// Records code 25 on the given line; returns lettura_fallita.
passo fallita(scenario& s, int32_t riga);

// Code 25 for a failed read of the current row's values.
passo lettura_non_riuscita(scenario& s, const lettura_servizio& r);

// Code 15 for a row whose cells lie outside the route; returns fine_lettura.
passo fuori_percorso(scenario& s, const lettura_servizio& r, int32_t posizione);

// The route check of a row at position p with a margin in metres: the row
// fits when N >= (p + margine) / 50. Code 15 when it does not, code 25 when
// p + margine overflows 32 bits.
passo verifica_percorso(scenario& s, const lettura_servizio& r, int32_t p, int32_t margine);

}  // namespace sb
