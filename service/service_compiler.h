// The service compiler: the second phase of memorizza_dati, which reads the
// train run into the same records after the line phase.
#pragma once

#include <string_view>

#include "scenario/compile_step.h"
#include "scenario/scenario_records.h"

namespace sb {

// How the service phase ended.
enum class [[nodiscard]] esito_fase_servizio {
  completa,         // read to its end, or stopped by code 15: fills and chainage check ran
  fermata,          // stopped on a fault: no fills, no chainage check
  lettura_fallita,  // code 25
};

// Compiles the service text (already read by memorizza_dati, which deletes
// it afterwards) into the cells and entries. Records codes in s. With
// modo_errori::riprendi a row that records a code is left behind and the
// read goes on at the next row, to the end of the text.
esito_fase_servizio fase_servizio(scenario& s, std::string_view testo, modo_errori modo = modo_errori::ferma);

}  // namespace sb
