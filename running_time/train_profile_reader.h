// The train-profile text: rows of a keyword and its values, as in the
// description texts, each setting one parameter of the running-time model.
//
//     massa per veicolo,        45
//     davis,                    15, 0.10, 0.0030
//     sforzo,                   0, 94400
//
// Values are numbers with an optional decimal point and exponent (45, 0.08,
// 1e9). The row kinds, their values and ranges are the grammar's
// (grammar/row_kinds.h). A keyword is matched
// whole, without regard to case; a field holding "-" where a keyword goes
// makes its line a remark; section headers ("[treno]") are passed over and
// "[fine]" ends the read.
#pragma once

#include <string_view>
#include <vector>

#include "running_time/train_profile.h"
#include "scenario/diagnostics.h"

namespace sb {

// A profile as read, and what its author is told: errors and warnings with
// the line and column in the profile's text (origine profilo_treno: the
// caller knows the file's name).
struct lettura_profilo {
  profilo_treno profilo;
  std::vector<diagnostica> diagnostiche;

  // Whether an error was found: the profile must not be used.
  bool con_errori() const;
};

// Reads a train profile from code page 1252 bytes. Parameters the text does
// not set keep their defaults.
lettura_profilo leggi_profilo_treno(std::string_view testo);

}  // namespace sb
