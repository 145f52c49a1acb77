#include "tools/export_command.h"

#include <filesystem>
#include <ostream>

#include "builtin/builtin_scenario.h"
#include "compile/exit_status.h"
#include "documents/line_list.h"
#include "builtin/line_content.h"
#include "platform/files.h"
#include "scenario/file_names.h"
#include "builtin/service_content.h"

namespace sb {

int esegui_export(const std::string& cartella, std::ostream& out, std::ostream& err) {
  std::error_code ec;
  std::filesystem::create_directories(cartella, ec);
  if (ec) {
    err << cartella << ": " << ec.message() << "\n";
    return kUscitaFile;
  }
  const std::string linea = in_cartella(cartella, nome_testo_linea(kNomeLinea));
  const std::string servizio = in_cartella(cartella, nome_testo_servizio(kNomeLinea, kNumeroTreno));
  esito_file e = sostituisci_file(linea, componi_documento(righe_linea()));
  if (e.ok) e = sostituisci_file(servizio, componi_documento(righe_treno()));
  if (!e.ok) {
    err << e.messaggio() << "\n";
    return kUscitaFile;
  }
  out << linea << "\n" << servizio << "\n";
  return kUscitaPulita;
}

}  // namespace sb
