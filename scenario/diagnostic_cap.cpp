#include "scenario/diagnostic_cap.h"

namespace sb {

bool limite_diagnostiche::conserva(const diagnostica& d) {
  if (nota_su_precedente(d)) return !ultima_omessa;
  const genere_diagnostica k = genere_di(d);
  size_t& n = conservate[k];
  ultima_omessa = n >= kDiagnosticheConservate;
  if (d.livello == gravita::errore) {
    ++errori;
    ultimo_errore_omesso = ultima_omessa;
  }
  if (ultima_omessa) {
    ++omesse[k];
    return false;
  }
  ++n;
  return true;
}

void somma_omesse(diagnostiche_omesse& a, const diagnostiche_omesse& b) {
  for (const auto& [k, n] : b) a[k] += n;
}

}  // namespace sb
