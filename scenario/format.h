// The constants of the simulator's binary files and of the records they are
// written from: one place for every number that the compile, the decompile,
// the documents and the tool must agree on. docs/binary_files.md defines
// the layout, docs/limits.md the limits. The number of entries of the object
// table and its fixed entries (kNumeroOggetti, kOggetto*) stand beside the
// records in scenario/scenario_records.h.
#pragma once

#include <cstdint>

namespace sb {

// Route cells are 50 m long; an item in cell i stands at (i - 1) x 50 m
// (docs/binary_files.md, "Route cells").
inline constexpr int64_t kMetriCella = 50;

// Metres of line plan beyond the route length: points 0 to L + 7000
// (docs/binary_files.md, "Line plan").
inline constexpr int32_t kMarginePiano = 7000;

// Entry of the first sign caption; later captions go downward, stations
// take entries from 1 upward below it (docs/binary_files.md, "Object table").
inline constexpr int32_t kPrimoCartello = 80;

// A station of this type or above is passed without stopping (transit);
// below it the train stops (docs/service_description.md, "stazione").
inline constexpr int32_t kTipoTransito = 25;

// Marker stamped in param_1 of the line entry, 85 (docs/binary_files.md,
// "Object table").
inline constexpr int16_t kMarcatoreOggetto = 610;

// Marker stamped in dato_1 of cell 1 (docs/binary_files.md, "Route cells").
inline constexpr int16_t kMarcatoreCella = 5121;

// Value of the code-reduction points the finishing pass places, and cap of
// an author's point in their way (docs/service_description.md,
// "rallentamento").
inline constexpr int16_t kValorePunto = 180;

// Longest route, in metres (docs/limits.md, "The line").
inline constexpr int32_t kLunghezzaMassima = 1000000;

// A curve row may not carry the plan cursor beyond this point (docs/limits.md,
// "The line").
inline constexpr int64_t kMassimoPuntiCurva = 1000000;

// Most montagna rows a line may hold (docs/limits.md, "The line").
inline constexpr int32_t kMassimoMontagne = 80;

// A montagna span starting at most this many metres after the previous one
// ends becomes kind 3 (docs/line_description.md, "montagna").
inline constexpr int32_t kDistanzaVicina = 150;

// Stations of types 5 and 6 reach this many metres past their position
// (docs/service_description.md, "stazione").
inline constexpr int32_t kCodaFermataBreve = 150;

// A slowdown's warning point stands this many metres before its start
// (docs/service_description.md, "rallentamento").
inline constexpr int32_t kDistanzaAvvisoRallentamento = 1200;

// A slowdown starting at or before this position has no warning point
// (docs/service_description.md, "rallentamento").
inline constexpr int32_t kRallentamentoSenzaAvviso = 1500;

}  // namespace sb
