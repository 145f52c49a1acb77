// Fuzz target: the whole compile in memory on a line text and a service text
// taken from the input. The first byte says which texts exist and the build
// flag; the rest is the line text, then a NUL byte, then the service text.
// Every compile must end with a known code, a guard number only when a guard
// failed, and files whose sizes agree with the records.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "compile/compile.h"
#include "scenario/binary_files.h"
#include "scenario/error_codes.h"

namespace {

bool codice_noto(int32_t codice) {
  if (codice == sb::kGuardiaMarcatori || codice == sb::kGuardiaCodici) return false;
  return !sb::significato(codice).empty();
}

// Checks how the compile ended against what it would write.
void verifica(const sb::risultato_compile& r) {
  if (!codice_noto(r.s.codice_errore)) std::abort();
  if (r.s.codice_errore != sb::kNessunErrore && r.s.diagnostiche.empty()) std::abort();
  if (r.fine == sb::fine_compile::guardia) {
    if (r.numero_guardia != sb::kGuardiaMarcatori && r.numero_guardia != sb::kGuardiaCodici) std::abort();
    return;
  }
  if (r.numero_guardia != 0) std::abort();
  if (r.fine == sb::fine_compile::senza_celle) {
    if (!r.s.celle.empty()) std::abort();
    return;
  }
  const sb::file_binari f = sb::codifica_binari(r.s);
  if (f.celle.size() != r.s.celle.size() * sb::kByteCella) std::abort();
  if (r.s.flag_griglia == 0 && !f.griglia.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t scelta = data[0];
  std::string_view resto(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t separatore = resto.find('\0');
  std::string_view linea = resto.substr(0, separatore);
  std::string_view servizio = separatore == std::string_view::npos ? std::string_view{} : resto.substr(separatore + 1);

  sb::richiesta_compile richiesta;
  richiesta.nome_linea = "BORVALE";
  richiesta.numero_treno = "40617";
  richiesta.flag_griglia = scelta & 1;
  if ((scelta & 2) == 0) richiesta.testo_linea = linea;
  if ((scelta & 4) == 0) richiesta.testo_servizio = servizio;
  verifica(sb::compila(richiesta));
  return 0;
}
