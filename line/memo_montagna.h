// Montagna spans: the span kind in every cell of a span, the filler marks,
// and the list of the spans read so far.
#pragma once

#include <array>
#include <cstdint>

#include "scenario/format.h"
#include "scenario/scenario_records.h"

namespace sb {

// The spans read so far, kept from index 1 to numero_montagne.
struct stato_montagne {
  std::array<int32_t, kMassimoMontagne + 1> inizio_montagne{};
  std::array<int32_t, kMassimoMontagne + 1> fine_montagne{};
  int32_t numero_montagne = 0;
};

// Whether the cells of a span from inizio to fine all exist (a span that
// covers no cell always fits).
bool montagna_nelle_celle(int32_t inizio, int32_t fine, const celle_percorso& celle);

// Records one span: its kind in the montagna field of each of its cells, and
// for kinds above 10 (kind tipo - 10) a filler mark in every fourth free cell.
// A span that starts at most 150 m after the previous one ends becomes kind 3.
// May change the caller's tipo. Records code 14 for an 81st span, 25 when a
// distance overflows; the caller has checked the cells with
// montagna_nelle_celle.
void memo_montagna(scenario& s, stato_montagne& m, int32_t& inizio, int32_t& fine, int32_t& tipo);

}  // namespace sb
