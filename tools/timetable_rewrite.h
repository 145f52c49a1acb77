// A service text with some stations' times changed and every other byte
// kept: the hours, minutes and seconds fields of each station row found with
// the field reader and their bytes replaced where they stand.
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
// station row is not found where its name stands. A value is written in
// place of the old one, with two digits for minutes and seconds that had
// two, and padded with blanks on the left to the old value's width, so the
// columns stay where they were.
bool riscrivi_orari(std::string_view testo, const std::vector<orario_da_scrivere>& orari, std::string& nuovo,
                    std::string& errore);

}  // namespace sb
