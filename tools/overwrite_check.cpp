#include "tools/overwrite_check.h"

#include <optional>
#include <ostream>

#include "platform/writer.h"
#include "scenario/file_names.h"

namespace sb {

bool uscita_su_un_ingresso(const std::string& comando, const std::vector<std::string>& ingressi,
                           const std::vector<std::string>& uscite, std::ostream& err) {
  richiesta_scrittura r;
  r.comando = comando;
  r.nomi = uscite;
  r.ingressi = ingressi;
  return scrittura(r, err).controlla_ingressi() != 0;
}

std::vector<std::string> nomi_compile(const std::string& linea, const std::string& treno, bool binari,
                                      bool documenti, bool con_note) {
  std::vector<std::string> nomi;
  if (binari) nomi = {nome_file_griglia(linea), nome_file_tabella(linea, treno), nome_file_celle(linea, treno)};
  if (documenti) {
    nomi.push_back(nome_scheda_treno(linea, treno));
    nomi.push_back(nome_rallentamenti(linea, treno));
    if (con_note) nomi.push_back(nome_note(linea, treno));
  }
  return nomi;
}

}  // namespace sb
