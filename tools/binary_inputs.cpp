#include "tools/binary_inputs.h"

#include <ostream>

#include "platform/files.h"
#include "scenario/binary_decoders.h"

namespace sb {
namespace {

// Reads one binary file with its decoder; reports on err.
template <typename Record>
bool leggi_binario(const std::string& percorso, std::optional<Record>& record,
                   esito_decodifica (*decodifica)(std::string_view, Record&), std::ostream& err) {
  if (percorso.empty()) return true;
  std::string byte;
  if (esito_file e = leggi_file(percorso, byte); !e.ok) {
    err << e.messaggio() << "\n";
    return false;
  }
  record.emplace();
  if (esito_decodifica e = decodifica(byte, *record); !e.ok) {
    err << percorso << ": " << e.messaggio() << "\n";
    return false;
  }
  return true;
}

}  // namespace

fonti_scena binari_scena::fonti() const {
  fonti_scena f;
  f.griglia = griglia ? &*griglia : nullptr;
  f.tabella = tabella ? &*tabella : nullptr;
  f.celle = celle ? &*celle : nullptr;
  return f;
}

bool leggi_binari(const std::string& griglia, const std::string& tabella, const std::string& celle,
                  binari_scena& out, std::ostream& err) {
  return leggi_binario(griglia, out.griglia, decodifica_griglia, err) &&
         leggi_binario(tabella, out.tabella, decodifica_tabella, err) &&
         leggi_binario(celle, out.celle, decodifica_celle, err);
}

}  // namespace sb
