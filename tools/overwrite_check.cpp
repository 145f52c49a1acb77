#include "tools/overwrite_check.h"

#include <optional>
#include <ostream>

#include "platform/same_file.h"
#include "scenario/file_names.h"

namespace sb {

bool uscita_su_un_ingresso(const std::string& comando, const std::vector<std::string>& ingressi,
                           const std::vector<std::string>& uscite, std::ostream& err) {
  const std::optional<uscita_su_ingresso> t = trova_ingresso_in_uscita(ingressi, uscite);
  if (!t) return false;
  err << "scenario_tool " << comando << ": the output " << t->uscita << " is the input " << t->ingresso
      << "; nothing written\n"
      << "Try 'scenario_tool " << comando << " --help'.\n";
  return true;
}

std::vector<std::string> uscite_compile(const std::string& cartella, const std::string& linea,
                                        const std::string& treno, bool binari, bool documenti, bool con_note) {
  std::vector<std::string> nomi;
  if (binari) nomi = {nome_file_griglia(linea), nome_file_tabella(linea, treno), nome_file_celle(linea, treno)};
  if (documenti) {
    nomi.push_back(nome_documento(linea, treno, "scheda_treno.txt"));
    nomi.push_back(nome_documento(linea, treno, "rallentamenti.txt"));
    if (con_note) nomi.push_back(nome_documento(linea, treno, "note.txt"));
  }
  std::vector<std::string> u;
  for (const std::string& n : nomi) u.push_back(in_cartella(cartella, n));
  return u;
}

}  // namespace sb
