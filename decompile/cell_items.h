// The items of the route cells taken back to the rows that recorded them:
// signals, indicators and slowdowns with their own values, and the profiles
// as the positions where they change.
#pragma once

#include <cstdint>
#include <vector>

#include "decompile/author_rows.h"
#include "scenario/scenario_records.h"

namespace sb {

// The position of an item recorded in cell i: (i - 1) x 50, the metre whose
// cell nearest(p / 50 + 1) is i.
int32_t posizione_item(int64_t i);

// The position of a stretch boundary or code-reduction point in cell i: i x 50.
int32_t posizione_confine(int64_t i);

// The signal in cell i as its row wrote it. The digits come back from the
// coded pairs, rapp with the sides' code from dato_4; the approach marks tell
// the sides' code when the digits were out of range. A note says when a value
// lies outside its range or stands for several.
riga_segnale segnale_da_cella(const celle_percorso& celle, int64_t i);

// The maximum-speed indicator in cell i. Each coded pair nearest(d / 5 +
// 20 x s) is read as speeds that are multiples of 5 with d below 500 km/h,
// which code the same whatever the author wrote.
riga_indicatore indicatore_da_cella(const cella& c, int64_t i);

// A slowdown found in the cells and the cells it took (-1: none).
struct rallentamento_trovato {
  riga_rallentamento riga;
  int64_t inizio = -1;
  int64_t fine = -1;       // -1 when the start's cell covers it
  int64_t avviso = -1;
  int64_t approccio = -1;  // the first of the four approach cells, going down
};

// Every slowdown start (kind 3) with its end, warning point and approach
// cells, in the order of the starts.
std::vector<rallentamento_trovato> rallentamenti_dalle_celle(const celle_percorso& celle);

// Where a profile changes: the cell and the byte from there on.
struct cambio_profilo {
  int64_t cella = 0;
  int valore = 0;
};

// The changes of one per-cell byte (pendenza, velocita, aderenza) over the
// cells that the compile fills: a first change at cell 0, then one at every
// cell whose byte differs from the one before. Cell n - 2, filled only when a
// row stands there, gets a change of its own when it holds a value.
std::vector<cambio_profilo> cambi_profilo(const celle_percorso& celle, uint8_t cella::*campo);

}  // namespace sb
