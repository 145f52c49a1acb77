// Any bytes a client may write to the server, taken whole as the server
// takes its standard input: the framing, the JSON and the dispatch, with a
// formatter wired and no file read. Aborts when the server does not end as
// documented (status 0 or 1).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

#include "grammar/text_format.h"
#include "lsp/language_server.h"

namespace {

std::optional<std::string> nessun_file(const std::string&) { return std::nullopt; }

std::optional<std::string> formatta(std::string_view testo, sb::genere_testo g) {
  sb::esito_formato e = sb::formatta_testo(testo, g);
  if (e.rifiutato) return std::nullopt;
  return e.testo;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out;
  sb::opzioni_server o;
  o.leggi = nessun_file;
  o.formatta = formatta;
  o.massimo_documento = 1 << 16;
  const int stato = sb::esegui_server(in, out, o);
  if (stato != 0 && stato != 1) std::abort();
  return 0;
}
