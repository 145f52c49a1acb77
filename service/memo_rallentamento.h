// memo_rallentamento: records one temporary slowdown in the route cells.
#pragma once

#include <cstdint>

#include "scenario/scenario_records.h"

namespace sb {

// The five values of a "rallentamento" row after its position.
struct valori_rallentamento {
  int32_t v = 0;     // the slowdown's speed
  int32_t l = 0;     // its length in metres
  int32_t f_tt = 0;  // carried at the start and end points
  int32_t f_ta = 0;  // non-zero asks for four approach cells
  int32_t d_v = 0;   // carried at the warning, start and end points when non-zero
};

// The cells one slowdown takes. The warning cell (1200 m before the start)
// and its four approach cells exist only for a start above 1500 m.
struct celle_rallentamento {
  int32_t posizione = 0;
  int64_t inizio = 0;       // idx(posizione)
  int64_t fine = 0;         // idx(posizione + l)
  bool con_avviso = false;  // posizione above 1500
  int64_t avviso = 0;       // idx(posizione - 1200)
  bool con_approcci = false;
  int64_t approccio = 0;    // the cell just before the warning cell; the others follow downward
};

// Works out the cells of a slowdown at posizione; false when its end
// posizione + l overflows 32 bits.
bool celle_di_rallentamento(int32_t posizione, const valori_rallentamento& v, celle_rallentamento& c);

// Whether every cell the slowdown would write exists.
bool rallentamento_nel_percorso(const scenario& s, const celle_rallentamento& c);

// Records a slowdown: end (tipo 2), start (3), warning point (4) and approach
// cells (5). Sets codice_errore to 17, 18, 19 or 20 when the warning, start,
// end or an approach cell is taken; a code 20 leaves the first three written.
// The cells must exist (rallentamento_nel_percorso).
void memo_rallentamento(scenario& s, const celle_rallentamento& c, const valori_rallentamento& v);

}  // namespace sb
