#include "documents/composed_document.h"

namespace sb {

void verifica_lunghezza(documento_composto& d, const std::string& nome) {
  if (d.righe.size() <= kMassimoRigheDocumento) return;
  d.errore = std::to_string(d.righe.size()) + " lines for the " + nome + ", and a document holds at most " +
             std::to_string(kMassimoRigheDocumento);
}

}  // namespace sb
