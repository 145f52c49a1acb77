// "Did you mean": the nearest of a few known words to a word that matched
// none of them, by edit distance.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace sb {

// Edit distance between two byte strings: inserting, deleting or changing
// one byte, or swapping two neighbours, each counts one.
int32_t distanza_modifica(std::string_view a, std::string_view b);

// The candidate nearest to the word when it is near enough to be what was
// meant (one edit for short words, up to three for long ones); empty when
// none is. Ties go to the earlier candidate.
std::string_view suggerisci(std::string_view parola, std::span<const std::string_view> candidati);

}  // namespace sb
