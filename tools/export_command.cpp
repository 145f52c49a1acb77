#include "tools/export_command.h"

#include <filesystem>
#include <ostream>

#include "author/existing_texts.h"
#include "builtin/builtin_scenario.h"
#include "builtin/line_content.h"
#include "builtin/service_content.h"
#include "compile/exit_status.h"
#include "documents/line_list.h"
#include "platform/file_set.h"
#include "platform/signals.h"
#include "scenario/file_names.h"

namespace sb {

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
  if (!o.forza && testi_presenti(cartella, {linea, servizio}, err)) return kUscitaFile;
  const std::string testo_linea = componi_documento(righe_linea());
  const std::string testo_servizio = componi_documento(righe_treno());
  if (esito_file e = sostituisci_insieme(cartella, {{linea, testo_linea}, {servizio, testo_servizio}}); !e.ok) {
    return uscita_file(e, err);
  }
  out << cartella.in(linea) << "\n" << cartella.in(servizio) << "\n";
  return stato_finale(kUscitaPulita, o.cartella, err);
}

}  // namespace sb
