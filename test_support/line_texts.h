// For tests: line texts made to measure, and the line phase run on one
// alone over a fresh scenario.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "line/line_compiler.h"
#include "scenario/scenario_records.h"

namespace sb::prova {

// A compiled line: how the phase ended and the records it left.
struct linea_compilata {
  esito_fase_linea esito = esito_fase_linea::prosegui;
  scenario s;
};

// The line phase over the text, as BORVALE 40617 with the given build flag.
inline linea_compilata compila_linea(std::string_view testo, int32_t flag = 0) {
  linea_compilata c;
  c.s.nome_linea = "BORVALE";
  c.s.numero_treno = "40617";
  c.s.flag_griglia = flag;
  c.esito = fase_linea(c.s, testo);
  return c;
}

// A line of the given length whose route rows start on line 4.
inline std::string linea(int32_t lunghezza, std::string_view righe) {
  return "[generale]\r\nlunghezza percorso,  " + std::to_string(lunghezza) + "\r\n[curve]\r\n" +
         std::string(righe) + "[fine]\r\n";
}

// The same row n times, with the position raised by passo each time.
inline std::string ripeti(std::string_view chiave, int n, int32_t passo, std::string_view resto) {
  std::string out;
  for (int i = 0; i < n; ++i) out += std::string(chiave) + ", " + std::to_string(i * passo) + std::string(resto) + "\r\n";
  return out;
}

// The same row n times.
inline std::string volte(int n, std::string_view riga) {
  std::string out;
  for (int i = 0; i < n; ++i) out += riga;
  return out;
}

}  // namespace sb::prova
