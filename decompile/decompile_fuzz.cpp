// Fuzz target: decompile over what a compile writes, and over records that a
// compile never writes. The first byte's bit 0 picks the mode.
//
// Texts (bit 0 clear; bit 1 the build flag): the line text, a NUL byte, the
// service text, compiled in memory; when the compile writes its files, they
// are decompiled. Files a compile writes always belong together.
//
// Records (bit 0 set; bit 1 picks the object table, else the route cells):
// the small sample scenario's file, with the rest of the input as patches of
// three bytes each (offset high, offset low, value), decoded and decompiled.
//
// Every run must end without a fault of its own.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compile/compile.h"
#include "decompile/decompile.h"
#include "scenario/binary_decoders.h"
#include "scenario/binary_files.h"
#include "scenario/plan_encoding.h"
#include "test_support/file_bytes.h"
#include "test_support/sample_scenario.h"

namespace {

// The records of a compile, as decompile reads them.
sb::ingresso_decompile ingresso(const sb::scenario& s) {
  return {s.tabella, s.celle, punti_griglia(s.griglia), s.flag_griglia != 0, s.nome_linea, s.numero_treno, {}};
}

void testi(uint8_t scelta, std::string_view resto) {
  const size_t separatore = resto.find('\0');
  sb::richiesta_compile r;
  r.testo_linea = resto.substr(0, separatore);
  r.testo_servizio = separatore == std::string_view::npos ? std::string_view{} : resto.substr(separatore + 1);
  r.nome_linea = "BORVALE";
  r.numero_treno = "40617";
  r.flag_griglia = (scelta >> 1) & 1;
  const sb::risultato_compile c = sb::compila(r);
  if (c.fine != sb::fine_compile::completata) return;
  if (!sb::decompila(ingresso(c.s)).guasto.empty()) std::abort();
}

void record(uint8_t scelta, std::string_view resto) {
  static const sb::risultato_compile base = sb::compila(
      {sb::prova::righe_crlf(sb::prova::linea_esempio()), sb::prova::righe_crlf(sb::prova::servizio_esempio()),
       "VALMORA", "2201", 1});
  sb::ingresso_decompile in = ingresso(base.s);
  const bool tabella = (scelta & 2) != 0;
  std::string byte = tabella ? sb::codifica_tabella(in.tabella) : sb::codifica_celle(in.celle);
  for (size_t i = 0; i + 2 < resto.size(); i += 3) {
    const size_t dove = (static_cast<uint8_t>(resto[i]) << 8 | static_cast<uint8_t>(resto[i + 1])) % byte.size();
    byte[dove] = resto[i + 2];
  }
  const bool letto = tabella ? sb::decodifica_tabella(byte, in.tabella).ok : sb::decodifica_celle(byte, in.celle).ok;
  if (letto) (void)sb::decompila(in);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t scelta = data[0];
  const std::string_view resto(reinterpret_cast<const char*>(data + 1), size - 1);
  if ((scelta & 1) == 0) {
    testi(scelta, resto);
  } else {
    record(scelta, resto);
  }
  return 0;
}
