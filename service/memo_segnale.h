// memo_segnale: records one signal of the service text in the route cells.
#pragma once

#include <cstdint>

#include "scenario/scenario_records.h"

namespace sb {

// The ten values of a "segnale" row after its position.
struct valori_segnale {
  int32_t sx = 0;     // code of the first side, 0 to 2
  int32_t s1 = 0;     // digits of the first side
  int32_t s2 = 0;
  int32_t s3 = 0;
  int32_t rapp = 0;   // tens digit of the combined code
  int32_t dx = 0;     // code of the second side, 0 to 2
  int32_t d1 = 0;     // digits of the second side
  int32_t d2 = 0;
  int32_t d3 = 0;
  int32_t tempo = 0;  // time value, kept only when sx is 2
};

// Whether the signal's cell and the four cells ahead of it that carry its
// approach marks (100 to 400 m before) all exist: a signal stands at 325 m
// or more, and within the route.
bool segnale_nel_percorso(const scenario& s, int32_t posizione);

// Records a signal in cell nearest(posizione / 50 + 1) and its approach marks
// in the cells 2, 4, 6 and 8 before it; raises a tempo of 1 to 100 to 101.
// Sets codice_errore to 16 when the cell is taken. Returns false, writing
// nothing, when a coded value overflows 32 bits. The cells must exist
// (segnale_nel_percorso).
bool memo_segnale(scenario& s, int32_t posizione, valori_segnale& v);

}  // namespace sb
