// The slowdown order form "Modulo M. 3": its header naming the line and the
// train, its table of slowdowns, and the notes under it. The builder writes
// it blank; a compiled scenario's form lists the service's slowdowns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// Rows the form's table has at least.
inline constexpr size_t kRigheModulo = 26;

// Width of the FRA LE STAZIONI column.
inline constexpr size_t kLarghezzaFraStazioni = 28;

// One slowdown as the form lists it.
struct voce_modulo {
  std::vector<std::string> stazioni;  // "A - B" on one line, or A and B on two when that does not fit
  int64_t progressiva = 0;            // metres: where the slowdown begins
  int32_t velocita = 0;               // km/h
  int32_t lunghezza = 0;              // metres; below 0 when not known

  bool operator==(const voce_modulo&) const = default;
};

// The form's lines: "Linea" and the line text, the train, then the table
// with the slowdowns numbered from 1 in the order given, filled up with
// empty rows to 26, then the notes.
std::vector<std::string> righe_modulo(std::string_view linea, std::string_view treno,
                                      const std::vector<voce_modulo>& voci);

}  // namespace sb
