// The largest line the format takes, as a text: a route of 1 000 000 m with
// thousands of route rows and every montagna and sign entry in use. For the
// tests and the benchmarks.
#pragma once

#include <cstdint>
#include <string>

#include "scenario/format.h"

namespace sb::prova {

inline constexpr int32_t kLunghezza = kLunghezzaMassima;

// What to add to the largest line, to step over one limit.
struct aggiunte {
  int32_t lunghezza = kLunghezza;
  std::string curve;       // after the last curve
  std::string montagne;    // after the 80th montagna
  std::string cartelli;    // after the 81st sign
};

// The largest line: 3999 curves, 10 001 gradient rows, 80 montagna spans,
// 81 indicators and 81 signs, the last curve ending on plan point 999 999.
inline std::string linea_massima(const aggiunte& a = {}) {
  std::string t = "Linea di Monteluce, profilo di prova\r\n[generale]\r\nlunghezza percorso, " +
                  std::to_string(a.lunghezza) + "\r\nsfondo uno, 2\r\n[curve]\r\n";
  for (int k = 0; k < 3999; ++k) {
    t += "curva" + std::string(k % 2 == 0 ? "d" : "s") + std::to_string(k % 6 + 1) + ", " +
         std::to_string(250 * k + 100) + ", 100\r\n";
  }
  t += "curvas6, 999900, 99\r\n" + a.curve + "[pendenze]\r\n";
  for (int k = 0; k <= 10000; ++k) {
    t += "pendenza, " + std::to_string(100 * k) + ", " + std::to_string(k % 41 - 20) + "\r\n";
  }
  t += "[montagne]\r\n";
  for (int k = 0; k < kMassimoMontagne; ++k) {
    t += "montagna, " + std::to_string(12000 * k + 1000) + ", " + std::to_string(12000 * k + 2000) + ", " +
         std::to_string(11 + k % 2) + "\r\n";
  }
  t += a.montagne + "[cartelli]\r\n";
  for (int k = 0; k <= 80; ++k) {
    t += "indicatori_vmax, " + std::to_string(12000 * k + 7000) + ", 60, 70, 75, 1, 60, 70, 75, 2\r\n";
  }
  t += "[indicazioni]\r\n";
  for (int k = 0; k <= kPrimoCartello; ++k) {
    t += "cartello_indicatore, " + std::to_string(12000 * k + 5000) + ", \"(Cippo Km.)( " + std::to_string(k) +
         " )\"\r\n";
  }
  return t + a.cartelli + "[fine]\r\n";
}

}  // namespace sb::prova
