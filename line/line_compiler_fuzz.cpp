// Fuzz target: the line compiler alone, on any bytes, with the build flag 0
// and 1. Every compile must end with a known code, keep its cells and plan
// within their sizes, and agree with the way out it reports.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "line/line_compiler.h"
#include "line/line_plan.h"
#include "scenario/error_codes.h"
#include "scenario/format.h"
#include "scenario/format_bounds.h"

namespace {

bool codice_noto(int32_t codice) {
  if (codice == sb::kGuardiaMarcatori || codice == sb::kGuardiaCodici) return false;
  return !sb::significato(codice).empty();
}

void compila(std::string_view testo, int32_t flag) {
  sb::scenario s;
  s.nome_linea = "BORVALE";
  s.numero_treno = "40617";
  s.flag_griglia = flag;
  const sb::esito_fase_linea e = sb::fase_linea(s, testo);
  if (!codice_noto(s.codice_errore)) std::abort();
  if (e == sb::esito_fase_linea::lettura_fallita && s.codice_errore != sb::kLetturaFallita) std::abort();
  if (e == sb::esito_fase_linea::prosegui && s.celle.empty()) std::abort();
  if (s.celle.size() > sb::kMassimoCelle) std::abort();
  if (s.griglia.punti > static_cast<int64_t>(sb::kMassimoPuntiGriglia)) std::abort();
  if (s.griglia.esiste() && !s.griglia.chiusa) std::abort();
  if (s.griglia.byte.size() != 2 * s.griglia.inizio_y) std::abort();
  if (flag == 0 && s.griglia.esiste()) std::abort();
  if (s.limite_stazioni < -1 || s.limite_stazioni > sb::kPrimoCartello) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view testo(reinterpret_cast<const char*>(data), size);
  compila(testo, 0);
  compila(testo, 1);
  return 0;
}
