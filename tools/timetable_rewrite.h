// A service text with some stations' times changed: each such station row,
// found with the field reader, written anew by the grammar in the builder's
// layout; every other byte kept.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/diagnostics.h"

namespace sb {

// A station's new time: where the compile read the station's name (the
// row's last value) and the time, seconds since midnight.
struct orario_da_scrivere {
  luogo_testo nome;
  int32_t secondi = 0;
};

// The text with the times written; false with the reason in errore when a
// station row is not found where its name stands. A changed row, from its
// keyword to the end of its name, is replaced by the row scrivi_riga writes
// with the same values and the new time (one line, the builder's columns);
// the rows around it and what follows its name stay byte for byte.
bool riscrivi_orari(std::string_view testo, const std::vector<orario_da_scrivere>& orari, std::string& nuovo,
                    std::string& errore);

}  // namespace sb
