// Fuzz target: any bytes, read as any mix of text and numeric fields, end
// without a crash and with every read making progress.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text_input/field_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the kinds of the reads, one bit each, in turn.
  const uint8_t copione = data[0];
  std::string_view testo(reinterpret_cast<const char*>(data + 1), size - 1);
  sb::lettore_campi r(testo);
  std::string campo;
  for (size_t letture = 0;; ++letture) {
    if (letture > testo.size() + 1) std::abort();  // a read that consumed nothing
    sb::esito_lettura e;
    int32_t n = 0;
    if ((copione >> (letture % 8)) & 1) {
      e = r.leggi_numero(n);
    } else {
      e = r.leggi_testo(campo);
    }
    if (e != sb::esito_lettura::letto) break;
    if (r.riga() < 1) std::abort();
    (void)r.finito();
  }
  return 0;
}
