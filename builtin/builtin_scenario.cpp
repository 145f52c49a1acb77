#include "builtin/builtin_scenario.h"

#include <vector>

#include "builtin/line_content.h"
#include "builtin/notes.h"
#include "builtin/service_content.h"
#include "builtin/slowdown_order.h"
#include "builtin/train_sheet.h"
#include "scenario/file_names.h"

namespace sb {
namespace {

// The line description's name takes no train number.
std::string file_linea(const std::string& nome_linea, const std::string&) { return nome_testo_linea(nome_linea); }

}  // namespace

const std::array<testo_incorporato, 5>& testi_incorporati() {
  static const std::array<testo_incorporato, 5> testi = {{
      {"dati_linea", file_linea, righe_linea, true},
      {"dati_treno", nome_testo_servizio, righe_treno, true},
      {"dati_note", nome_note, righe_note, false},
      {"dati_rallentamenti", nome_rallentamenti, righe_rallentamenti, false},
      {"dati_scheda", nome_scheda_treno, righe_scheda, false},
  }};
  return testi;
}

esito_file scrivi_testi_incorporati(cartella_uscita& cartella, const std::string& nome_linea,
                                    const std::string& numero_treno) {
  std::vector<std::string> byte;
  std::vector<std::string> nomi;
  for (const testo_incorporato& t : testi_incorporati()) {
    nomi.push_back(t.file(nome_linea, numero_treno));
    byte.push_back(componi_documento(t.righe()));
  }
  std::vector<file_nuovo> files;
  for (size_t i = 0; i < nomi.size(); ++i) files.push_back({nomi[i], byte[i], testi_incorporati()[i].descrizione});
  return sostituisci_insieme(cartella, files);
}

}  // namespace sb
