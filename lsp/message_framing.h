// The protocol's framing: each message is a header block ("Content-Length:
// N", a blank line) and then N bytes of JSON.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace sb {

// The largest message body taken: a longer one is read past and refused.
inline constexpr size_t kMessaggioMassimo = size_t{64} << 20;

// What one read gave.
enum class esito_messaggio {
  messaggio,       // a body was read
  fine,            // the client closed its end
  troppo_grande,   // a body over the limit, read past and dropped
  senza_lunghezza, // a header block without a valid Content-Length: dropped
};

// One message read.
struct messaggio_letto {
  esito_messaggio esito = esito_messaggio::fine;
  std::string corpo;
};

// Reads the next message. A body longer than `massimo` is read past in
// pieces and never held.
messaggio_letto leggi_messaggio(std::istream& in, size_t massimo = kMessaggioMassimo);

// Writes one message with its header and flushes it.
void scrivi_messaggio(std::ostream& out, std::string_view corpo);

}  // namespace sb
