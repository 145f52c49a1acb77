// The speed and adhesion profiles: each "velocita" and "aderenza" row fills
// the cells from where the previous row's value began up to its own position.
#pragma once

#include <cstdint>

#include "scenario/scenario_records.h"
#include "service/service_read.h"

namespace sb {

// A "velocita" row at p with speed v: the previous speed / 5 goes into the
// cells from the fill index up to the cell before nearest(p / 50), never to
// cell N or beyond; then v, written at `dove`, becomes the previous speed.
passo riempi_velocita(scenario& s, lettura_servizio& r, int32_t p, int32_t v, const luogo_testo& dove);

// An "aderenza" row at p with value a, likewise with the low 8 bits of the
// previous adhesion.
void riempi_aderenza(scenario& s, lettura_servizio& r, int32_t p, int32_t a);

// At the end of the read: both profiles carry their last value on up to cell
// N - 3 (at least one cell, never above N).
passo completa_profili(scenario& s, lettura_servizio& r);

}  // namespace sb
