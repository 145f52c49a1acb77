// Maximum-speed indicators: one cell per indicator, with its two faces coded.
#pragma once

#include <cstdint>

#include "scenario/scenario_records.h"

namespace sb {

// The nine values of an "indicatori_vmax" row: the position, the s face
// (speeds a, b, c in km/h and a stripe count) and the d face.
struct indicatore_vmax {
  int32_t posizione = 0;
  int32_t vas = 0;
  int32_t vbs = 0;
  int32_t vcs = 0;
  int32_t strisces = 0;
  int32_t vad = 0;
  int32_t vbd = 0;
  int32_t vcd = 0;
  int32_t strisced = 0;
};

// Records the indicator in the cell of its position as kind 6, each speed
// pair coded as nearest(d / 5 + 20 x s) and the stripes as 10 x s + d.
// Records code 15 (with the position) when the cell lies outside the array,
// 21 when the cell is taken, 25 when a coded value does not fit 16 bits; in
// each case the cell stays as it was.
void memo_indicatori_v_max(scenario& s, const indicatore_vmax& v);

}  // namespace sb
