// The largest files the format holds: a route of at most 1 000 000 m has at
// most nearest((1 000 000 + 7000) / 50) + 1 = 20 141 cells and a plan of at
// most 1 000 000 + 7000 + 1 = 1 007 001 points. A file beyond them was not
// written by the compiler and is refused at its size, before it is decoded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scenario/format.h"

namespace sb {

static_assert((kLunghezzaMassima + kMarginePiano) % kMetriCella == 0, "the longest route's plan ends on a cell");

// The cells of the longest route.
inline constexpr size_t kMassimoCelle = static_cast<size_t>((kLunghezzaMassima + kMarginePiano) / kMetriCella + 1);

// The points of the longest route's plan.
inline constexpr size_t kMassimoPuntiGriglia = static_cast<size_t>(kLunghezzaMassima + kMarginePiano + 1);

// The largest plan value: a kind code and a binary64.
inline constexpr size_t kMassimoByteValore = 10;

static_assert(kMassimoCelle == 20141 && kMassimoPuntiGriglia == 1007001);

}  // namespace sb
