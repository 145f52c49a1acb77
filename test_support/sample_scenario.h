// For tests: a small scenario of its own, as an author would write it.
#pragma once

#include <string>
#include <vector>

namespace sb::prova {

// A small line: 12 km, three curves, five gradient rows, a montagna span, a
// sign and a maximum-speed indicator. Line numbers are 1-based positions in
// this list.
inline std::vector<std::string> linea_esempio() {
  return {
      "Notes: a small line for the tests",                               // 1
      "[generale]",                                                      // 2
      "lunghezza percorso,  12000",                                      // 3
      "progressiva chilometrica uno,   0,  0,  0",                       // 4
      "progressiva chilometrica due,   0,  0,  0",                       // 5
      "progressiva chilometrica tre,   0,  0,  0",                       // 6
      "sfondo uno,  1",                                                  // 7
      "sfondo due,  2",                                                  // 8
      "sfondo tre,  3",                                                  // 9
      "ripetizione segnali 4 codici,  0,  12000",                        // 10
      "[curve]",                                                         // 11
      "curvad4,  2000,  600",                                            // 12
      "curvas3,  5000,  900",                                            // 13
      "curvad2,  8000,  1200",                                           // 14
      "[pendenze]",                                                      // 15
      "pendenza,  0,  0",                                                // 16
      "pendenza,  1500,  8",                                             // 17
      "pendenza,  4000,  -5",                                            // 18
      "pendenza,  7000,  12",                                            // 19
      "pendenza,  10000,  0",                                            // 20
      "[montagne]",                                                      // 21
      "montagna,  3000,  3800,  11",                                     // 22
      "[cartelli]",                                                      // 23
      "cartello_indicatore,  2950,  (Cippo Km.)( 3+000 )",               // 24
      "[indicazioni]",                                                   // 25
      "indicatori_vmax,  500,  60,  70,  75,  0,  60,  70,  75,  0",     // 26
      "[fine]",                                                          // 27
  };
}

// A run over that line: three stations, a slowdown and two signals.
inline std::vector<std::string> servizio_esempio() {
  return {
      "Notes for the driver",                                                              // 1
      "[generale]",                                                                        // 2
      "numero vetture,  6",                                                                // 3
      "percentuale massa frenata,  90",                                                    // 4
      "sabbia,  200",                                                                      // 5
      "orologio,  7  15  0",                                                               // 6
      "[aderenze]",                                                                        // 7
      "aderenza,  0,  80",                                                                 // 8
      "[vel_limite]",                                                                      // 9
      "velocita,  0,  100",                                                                // 10
      "velocita,  4000,  80",                                                              // 11
      "velocita,  9000,  120",                                                             // 12
      "[stazioni]",                                                                        // 13
      "stazione, 0, 4, 500, 1, 0, 0, 4,1,0, 2,1,1, 0, 7, 15, 0, Pratofondo",               // 14
      "stazione, 5000, 22, 400, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 22, 30, Lago Serino",         // 15
      "stazione, 11000, 4, 600, 0, 0, 0, 4,1,0, 2,1,1, 0, 7, 30, 0, Cortemara",            // 16
      "[rallentamenti]",                                                                   // 17
      "rallentamento, 7000, 60, 300, 0, 1, 0",                                             // 18
      "[segnali]",                                                                         // 19
      "segnale, 1300, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0",                                       // 20
      "segnale, 4600, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0",                                       // 21
      "[codici]",                                                                          // 22
      "[fine]",                                                                            // 23
  };
}

}  // namespace sb::prova
