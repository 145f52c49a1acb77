// For tests: a small scenario of its own for the driver's documents, and
// scenarios compiled in memory to make documents from.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "compile/compile.h"
#include "scenario/scenario_records.h"
#include "test_support/file_bytes.h"

namespace sb::prova {

// The two texts compiled as the tool compiles them, without the line plan.
inline scenario compila_in_memoria(std::string_view linea, std::string_view servizio,
                                   const std::string& nome_linea = "CORNASCO",
                                   const std::string& numero_treno = "3318") {
  richiesta_compile r;
  r.testo_linea = linea;
  r.testo_servizio = servizio;
  r.nome_linea = nome_linea;
  r.numero_treno = numero_treno;
  r.flag_griglia = 0;
  return compila(r).s;
}

// A small line: 20 km, a curve, a montagna span (a tunnel), a kilometre post
// and a one-line sign.
inline std::vector<std::string> linea_cornasco() {
  return {
      "Linea di prova per i documenti",              // 1
      "[generale]",                                  // 2
      "lunghezza percorso,  20000",                  // 3
      "progressiva chilometrica uno,  0,  0,  0",    // 4
      "progressiva chilometrica due,  0,  0,  0",    // 5
      "progressiva chilometrica tre,  0,  0,  0",    // 6
      "sfondo uno,  1",                              // 7
      "sfondo due,  0",                              // 8
      "sfondo tre,  0",                              // 9
      "ripetizione segnali 4 codici,  0,  0",        // 10
      "[curve]",                                     // 11
      "curvad3,  3000,  400",                        // 12
      "[pendenze]",                                  // 13
      "pendenza,  0,  0",                            // 14
      "pendenza,  6000,  12",                        // 15
      "[montagne]",                                  // 16
      "montagna,  7000,  8200,  11",                 // 17
      "[cartelli]",                                  // 18
      "[indicazioni]",                               // 19
      "cartello_indicatore,  4950,   (Cippo Km.)( 5+000  )",  // 20
      "cartello_indicatore,  12500,   (DEV. U.)",     // 21
      "[fine]",                                      // 22
  };
}

// A run over it: a departure, stops on whole and half minutes, a station
// passed at a half minute, one without a time, two speed changes (one where
// a station stands) and a slowdown.
inline std::vector<std::string> servizio_cornasco() {
  return {
      "Corsa di prova",                                                                    // 1
      "[generale]",                                                                        // 2
      "numero vetture,  3",                                                                // 3
      "percentuale massa frenata,  120",                                                   // 4
      "sabbia,  100",                                                                      // 5
      "orologio,  6  58  0",                                                               // 6
      "[aderenze]",                                                                        // 7
      "aderenza,  0,  100",                                                                // 8
      "[vel_limite]",                                                                      // 9
      "velocita,  0,  80",                                                                 // 10
      "velocita,  5500,  60",                                                              // 11
      "velocita,  9000,  100",                                                             // 12
      "[stazioni]",                                                                        // 13
      "stazione,  0, 4, 400, 1, 0, 0, 4,1,0, 2,1,1, 1, 7, 0, 0, Pontevecchio Alto",        // 14
      "stazione,  2500, 12, 300, 0, 0, 0, 1,1,0, 4,1,1, 30, 7, 4, 30, Molino Sereno",      // 15
      "stazione,  6000, 27, 400, 0, 0, 0, 0,0,0, 0,0,0, 60, 7, 9, 30, Case Rosse",         // 16
      "stazione,  9000, 26, 300, 0, 0, 0, 0,0,0, 0,0,0, 0, 0, 0, 0, Bivio Gessaia",        // 17
      "stazione,  11000, 22, 400, 0, 0, 0, 0,0,0, 4,1,1, 60, 7, 15, 0, San Prospero",      // 18
      "stazione,  15000, 4, 400, 0, 0, 0, 1,1,0, 2,1,1, 60, 7, 20, 30, Valdirocca",        // 19
      "[rallentamenti]",                                                                   // 20
      "rallentamento,  13000,  30,  400,  0,  1,  0",                                      // 21
      "[segnali]",                                                                         // 22
      "[codici]",                                                                          // 23
      "[fine]",                                                                            // 24
  };
}

// The small scenario, compiled.
inline scenario cornasco() {
  return compila_in_memoria(righe_crlf(linea_cornasco()), righe_crlf(servizio_cornasco()));
}

// The small scenario with some of its service and line lines replaced
// (numbered from 1), compiled.
inline scenario cornasco_con(const std::vector<std::pair<size_t, std::string>>& servizio_cambiato,
                             const std::vector<std::pair<size_t, std::string>>& linea_cambiata = {},
                             const std::string& nome_linea = "CORNASCO", const std::string& treno = "3318") {
  std::vector<std::string> linea = linea_cornasco();
  std::vector<std::string> servizio = servizio_cornasco();
  for (const auto& [n, riga] : linea_cambiata) linea.at(n - 1) = riga;
  for (const auto& [n, riga] : servizio_cambiato) servizio.at(n - 1) = riga;
  return compila_in_memoria(righe_crlf(linea), righe_crlf(servizio), nome_linea, treno);
}

}  // namespace sb::prova
