#include "compile/binary_set.h"

#include <vector>

#include "compile/compile.h"
#include "scenario/file_names.h"

namespace sb {

esito_file scrivi_binari(const scenario& s, const std::string& linea, const std::string& treno,
                         cartella_uscita& cartella) {
  const file_binari f = codifica_binari(s);
  std::vector<file_nuovo> files;
  if (s.flag_griglia != 0) files.push_back({nome_file_griglia(linea), f.griglia});
  files.push_back({nome_file_tabella(linea, treno), f.tabella});
  files.push_back({nome_file_celle(linea, treno), f.celle});
  return sostituisci_insieme(cartella, files);
}

}  // namespace sb
