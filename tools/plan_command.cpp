#include "tools/plan_command.h"

#include <ostream>

#include "compile/exit_status.h"
#include "platform/files.h"
#include "scenario/binary_decoders.h"
#include "tools/plan_svg.h"

namespace sb {
namespace {

// Reads one binary file with its decoder; reports on err.
template <typename Record>
bool leggi_binario(const std::string& percorso, Record& record,
                   esito_decodifica (*decodifica)(std::string_view, Record&), std::ostream& err) {
  std::string byte;
  if (esito_file e = leggi_file(percorso, byte); !e.ok) {
    err << e.messaggio() << "\n";
    return false;
  }
  if (esito_decodifica e = decodifica(byte, record); !e.ok) {
    err << percorso << ": " << e.messaggio() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int esegui_plan(const opzioni_plan& o, std::ostream& err) {
  griglia_linea griglia;
  if (!leggi_binario(o.griglia, griglia, decodifica_griglia, err)) return kUscitaFile;
  tabella_oggetti tabella{};
  if (!o.tabella.empty() && !leggi_binario(o.tabella, tabella, decodifica_tabella, err)) return kUscitaFile;
  celle_percorso celle;
  if (!o.celle.empty() && !leggi_binario(o.celle, celle, decodifica_celle, err)) return kUscitaFile;
  std::string svg = disegna_pianta(griglia, o.tabella.empty() ? nullptr : &tabella,
                                   o.celle.empty() ? nullptr : &celle);
  if (esito_file e = sostituisci_file(o.svg, svg); !e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  return kUscitaPulita;
}

}  // namespace sb
