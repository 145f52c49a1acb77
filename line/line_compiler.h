// The line compiler: the first phase of memorizza_dati, which turns the line
// description into the route cells, the line plan and entries 80 to 86.
#pragma once

#include <string_view>

#include "scenario/compile_step.h"
#include "scenario/scenario_records.h"

namespace sb {

// How the line phase ended, which decides what memorizza_dati does next.
enum class [[nodiscard]] esito_fase_linea {
  prosegui,         // read to its end, or stopped by code 15: the service phase runs
  ritorna,          // a code that ends memorizza_dati: the service text stays
  lettura_fallita,  // code 25: both texts are deleted
};

// Compiles the line text (already found and read by memorizza_dati, which
// deletes it afterwards): preamble, general section, arrangement, route
// section and the end of the line phase. Records codes in s. With
// modo_errori::riprendi a row that records a code is left behind and the
// read goes on at the next row; the phase then ends with prosegui whenever
// there are cells.
esito_fase_linea fase_linea(scenario& s, std::string_view testo, modo_errori modo = modo_errori::ferma);

}  // namespace sb
