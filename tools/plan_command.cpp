#include "tools/plan_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "platform/files.h"
#include "tools/binary_inputs.h"
#include "tools/plan_svg.h"

namespace sb {

int esegui_plan(const opzioni_plan& o, std::ostream& err) {
  binari_scena b;
  if (!leggi_binari(o.griglia, o.tabella, o.celle, b, err)) return kUscitaFile;
  std::string svg = disegna_pianta(costruisci_scena(b.fonti()));
  if (esito_file e = sostituisci_file(o.svg, svg); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  return kUscitaPulita;
}

}  // namespace sb
