// The largest files the format holds: a route of at most 1 000 000 m has at
// most nearest((1 000 000 + 7000) / 50) + 1 = 20 141 cells and a plan of at
// most 1 000 000 + 7000 + 1 = 1 007 001 points. A file beyond them was not
// written by the compiler and is refused at its size, before it is decoded.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sb {

// The longest route the compiler takes, in metres.
inline constexpr int32_t kLunghezzaMassimaPercorso = 1000000;

// The cells of the longest route.
inline constexpr size_t kMassimoCelle = 20141;

// The points of the longest route's plan.
inline constexpr size_t kMassimoPuntiGriglia = 1007001;

// The largest plan value: a kind code and a binary64.
inline constexpr size_t kMassimoByteValore = 10;

}  // namespace sb
