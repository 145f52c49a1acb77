// The working state of one read of the service text and the steps its rows
// share: reading a row, the route check, recording a code.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/compile_step.h"
#include "scenario/row_reader.h"
#include "scenario/scenario_records.h"
#include "text_input/field_reader.h"

namespace sb {

// A row kept for the checks across rows at the end of the read: its
// position, one value, and the field a warning about it points at.
struct riga_annotata {
  int32_t posizione = 0;
  int32_t valore = 0;
  luogo_testo dove;
};

// Working state of one read, gone when the phase returns.
struct lettura_servizio {
  explicit lettura_servizio(std::string_view testo) : lettore(testo) {}

  lettore_campi lettore;
  luogo_testo chiave;               // the current row's keyword
  int32_t errori_ripresi = 0;       // rows left behind after a code, reading on
  std::set<int32_t> righe_lasciate; // their lines: what they wrote before the code is told no more
  int64_t indice_velocita = 0;      // first cell whose velocita is not yet set
  int64_t indice_aderenza = 0;      // first cell whose aderenza is not yet set
  int32_t velocita_precedente = 0;  // speed of the last "velocita" row
  int32_t aderenza_precedente = 0;  // value of the last "aderenza" row
  luogo_testo luogo_velocita;       // the speed value of the last "velocita" row
  int32_t stazione = 1;             // entry that takes the next station

  // What the warnings compare with: the last profile rows, the clock and
  // the last station time.
  bool velocita_letta = false;
  int32_t posizione_velocita = 0;
  bool aderenza_letta = false;
  int32_t posizione_aderenza = 0;
  bool orologio_letto = false;
  int32_t orologio = 0;             // seconds
  luogo_testo luogo_orologio;
  int32_t primo_orario = -1;        // the first station time, seconds; -1 none
  luogo_testo luogo_primo_orario;
  int32_t orario_precedente = -1;   // the last station time, seconds; -1 none
  luogo_testo luogo_orario_precedente;
  // Whether the last station time and the clock were times of day: one that
  // was not is told once, and not again as a time out of order.
  bool orario_precedente_valido = true;
  bool orologio_valido = true;

  // What the checks at the end of the read set against each other.
  std::vector<riga_annotata> velocita;       // each "velocita" row: its speed, at the speed's field
  std::vector<riga_annotata> segnali;        // each signal placed, at its position's field
  std::vector<riga_annotata> rallentamenti;  // each slowdown placed: its speed, at its position's field
};

// Whether a mark or item came from a row left behind after a code: a
// finding about it would only follow from that code.
inline bool da_riga_lasciata(const lettura_servizio& r, const luogo_testo& origine) {
  return origine.origine == origine_errore::testo_servizio && r.righe_lasciate.contains(origine.riga);
}

// Last cell index N (the cells run 0 to N); -1 when there are no cells.
inline int64_t ultima_cella(const scenario& s) { return static_cast<int64_t>(s.celle.size()) - 1; }

// Whether cell i exists.
inline bool cella_esiste(const scenario& s, int64_t i) { return i >= 0 && i <= ultima_cella(s); }

// A row of the service text, of the grammar's kind `id`, read from the
// field after its keyword.
lettura_riga riga_di(scenario& s, lettura_servizio& r, id_riga id);

// Records a code that stops the compile; returns fermata.
passo ferma(scenario& s, int32_t codice, const luogo_testo& dove, std::string messaggio);

// Records a code and the row's position; returns fermata.
passo ferma_in(scenario& s, int32_t codice, const luogo_testo& dove, int32_t posizione, std::string messaggio);

// Records code 25; returns lettura_fallita.
passo fallita(scenario& s, const luogo_testo& dove, std::string messaggio);

// Code 15 for a row whose cells lie outside the route; returns fine_percorso.
passo fuori_percorso(scenario& s, const luogo_testo& dove, int32_t posizione, std::string messaggio);

// The route check of a row at position p (its first value) with a margin in
// metres: the row fits when N >= (p + margine) / 50. Code 15 when it does
// not, code 25 when p + margine overflows 32 bits.
passo verifica_percorso(scenario& s, const lettura_riga& riga, int32_t p, int32_t margine);

// Tells about a time that is not a time of day: hours above 23, minutes or
// seconds above 59, or below 0. Value `primo` of the row holds the hours.
// True when the time is a time of day (nothing told).
bool avviso_ora(scenario& s, const lettura_riga& riga, size_t primo, std::string_view cosa, int32_t ore,
                int32_t minuti, int32_t secondi);

// Whether time a (seconds) is later than time b, by less than half a day: a
// time more than that earlier is taken for one past midnight.
bool piu_tardi(int32_t a, int32_t b);

// Seconds as hh:mm:ss; hours may pass 23.
std::string ore_minuti_secondi(int64_t secondi);

}  // namespace sb
