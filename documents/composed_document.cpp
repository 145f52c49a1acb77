#include "documents/composed_document.h"

namespace sb {

diagnostica avviso_documento(genere_avviso genere, const luogo_testo& dove, std::string messaggio) {
  diagnostica d;
  d.livello = gravita::avviso;
  d.genere = genere;
  d.origine = dove.origine;
  d.riga = dove.riga;
  d.colonna = dove.colonna;
  d.messaggio = std::move(messaggio);
  return d;
}

void verifica_lunghezza(documento_composto& d, const std::string& nome) {
  if (d.righe.size() <= kMassimoRigheDocumento) return;
  d.errore = std::to_string(d.righe.size()) + " lines for the " + nome + ", and a document holds at most " +
             std::to_string(kMassimoRigheDocumento);
}

}  // namespace sb
