#include "tools/plan_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "inspect/binary_inputs.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/signals.h"
#include "render/plan_svg.h"

namespace sb {

int esegui_plan(const opzioni_plan& o, std::ostream& err) {
  binari_scena b;
  if (!leggi_binari(o.griglia, o.tabella, o.celle, b, err)) return kUscitaFile;
  std::string svg = disegna_pianta(costruisci_scena(fonti_binari(b)));
  segnali_di_build segnali;
  if (esito_file e = sostituisci_sotto_blocco(o.svg, svg, o.attesa, err, "scenario_tool"); !e.ok) {
    return uscita_file(e, err);
  }
  return stato_finale(kUscitaPulita, o.svg, err);
}

}  // namespace sb
