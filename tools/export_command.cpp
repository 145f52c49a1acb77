#include "tools/export_command.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <ostream>
#include <sys/stat.h>

#include "builtin/builtin_scenario.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/exit_status.h"
#include "documents/line_list.h"
#include "platform/file_set.h"
#include "platform/signals.h"
#include "scenario/file_names.h"

namespace sb {
namespace {

// Whether anything, a link included, stands under the name in the folder.
bool presente(const cartella_uscita& cartella, const std::string& nome) {
  struct stat st;
  return ::fstatat(cartella.fd(), nome.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

}  // namespace

int esegui_export(const opzioni_export& o, std::ostream& out, std::ostream& err) {
  std::error_code ec;
  std::filesystem::create_directories(o.cartella, ec);
  if (ec) {
    err << o.cartella << ": " << ec.message() << "\n";
    return kUscitaFile;
  }
  segnali_di_build segnali;
  cartella_uscita cartella;
  if (esito_file e = apri_e_blocca(cartella, o.cartella, o.attesa, err, "scenario_tool"); !e.ok) {
    return uscita_file(e, err);
  }
  const std::string linea = nome_testo_linea(kNomeLinea);
  const std::string servizio = nome_testo_servizio(kNomeLinea, kNumeroTreno);
  if (!o.forza) {
    bool presenti = false;
    for (const std::string& nome : {linea, servizio}) {
      if (!presente(cartella, nome)) continue;
      err << cartella.in(nome) << ": " << std::strerror(EEXIST) << " (--force replaces it)\n";
      presenti = true;
    }
    if (presenti) return kUscitaFile;
  }
  const std::string testo_linea = componi_documento(righe_linea());
  const std::string testo_servizio = componi_documento(righe_treno());
  if (esito_file e = sostituisci_insieme(cartella, {{linea, testo_linea}, {servizio, testo_servizio}}); !e.ok) {
    return uscita_file(e, err);
  }
  out << cartella.in(linea) << "\n" << cartella.in(servizio) << "\n";
  return stato_finale(kUscitaPulita, o.cartella, err);
}

}  // namespace sb
