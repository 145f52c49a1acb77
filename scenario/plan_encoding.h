// The line plan written straight into the bytes of its file: the layout of
// griglia_codificata while it is built, and its closing into the file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scenario/coding.h"
#include "scenario/scenario_records.h"

namespace sb {

// Bytes that the two seed points take at the start of each coordinate's block.
inline constexpr size_t kByteSemi = 8;
// Bytes of one computed point: the kind code and a binary64.
inline constexpr size_t kByteReale = 10;
// Bytes of one empty point: the kind code alone.
inline constexpr size_t kByteVuoto = 2;

// Makes g a plan of `punti` empty points per coordinate, open, its buffer
// sized once for every point it may compute.
void prepara_griglia(griglia_codificata& g, int64_t punti);

// Writes points 0 and 1 as the 16-bit integers (0, 0) and (0, 1).
void scrivi_semi(griglia_codificata& g);

// Moves the y values up when points up to `ultimo` would not fit below them
// (only a curve that reaches the last two points needs it).
void fai_posto(griglia_codificata& g, int64_t ultimo);

// Where computed point k (k >= 2) stands in the block of its coordinate.
inline size_t scarto_punto(int64_t k) { return kByteSemi + kByteReale * static_cast<size_t>(k - 2); }

// Writes v as a plan value of kind binary64 at p; returns the byte after it.
inline char* metti_reale(char* p, double v) {
  return put_f64(put_u16(p, static_cast<uint16_t>(tipo_variante::reale)), v);
}

// Ends the plan: the points not computed become empty values and the y
// block follows the x block, so that `byte` holds exactly the file. Closing
// a closed plan changes nothing.
void chiudi_griglia(griglia_codificata& g);

// Point k of coordinate c (0 x, 1 y), open or closed; empty past the plan.
valore_variante punto_griglia(const griglia_codificata& g, int c, int64_t k);

// The whole plan point by point, for readers and tests.
griglia_linea punti_griglia(const griglia_codificata& g);

}  // namespace sb
