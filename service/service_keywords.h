// The service text's keywords: how each is recognised, in the order they
// are tested, and the words an author is offered when a field matches none.
#pragma once

#include <string_view>

#include "scenario/unknown_field.h"

namespace sb {

// The rows of the service text.
enum class chiave_servizio {
  massa_frenata,
  vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
};

// The keywords in the order they are tested; each test is independent.
inline constexpr chiave_servizio kChiaviServizio[] = {
    chiave_servizio::massa_frenata, chiave_servizio::vetture,       chiave_servizio::velocita,
    chiave_servizio::aderenza,      chiave_servizio::orologio,      chiave_servizio::sabbia,
    chiave_servizio::segnale,       chiave_servizio::rallentamento, chiave_servizio::abbattimento,
    chiave_servizio::stazione};

// Whether the field holds the keyword's recognition text, in any case.
bool riconosce(chiave_servizio k, std::string_view campo);

// Whether the field holds any keyword of the service text.
bool e_chiave_servizio(std::string_view campo);

// The keywords as written and the section headers.
const vocabolario& vocabolario_servizio();

}  // namespace sb
