#include "tools/single_output.h"

#include <ostream>

#include "compile/exit_status.h"
#include "platform/files.h"
#include "platform/signals.h"

namespace sb {

int scrivi_uscita(const std::string& percorso, std::string_view byte, attesa_blocco attesa, std::ostream& out,
                  std::ostream& err) {
  if (percorso == kUscitaStandard) {
    out.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    out.flush();
    if (out) return kUscitaPulita;
    err << "standard output: the bytes could not be written\n";
    return kUscitaFile;
  }
  segnali_di_build segnali;
  if (esito_file e = sostituisci_sotto_blocco(percorso, byte, attesa, err, "scenario_tool"); !e.ok) {
    return uscita_file(e, err);
  }
  return stato_finale(kUscitaPulita, percorso, err);
}

}  // namespace sb
