#include "scenario/scenario_records.h"

#include <cmath>

namespace sb {

void pulisci_tabella(tabella_oggetti& tabella) {
  for (oggetto& o : tabella) o = oggetto{};
}

void registra_codice(scenario& s, int32_t codice, origine_errore origine, int32_t riga) {
  s.codice_errore = codice;
  diagnostica d;
  d.codice = codice;
  d.origine = origine;
  d.riga = riga;
  d.posizione = s.posizione_errore;
  s.diagnostiche.push_back(d);
}

void registra_codice(scenario& s, int32_t codice, origine_errore origine, int32_t riga, int32_t posizione) {
  s.posizione_errore = posizione;
  registra_codice(s, codice, origine, riga);
}

void attribuisci_ultimo_codice(scenario& s, origine_errore origine, int32_t riga) {
  for (auto d = s.diagnostiche.rbegin(); d != s.diagnostiche.rend(); ++d) {
    if (d->livello != gravita::errore) continue;
    d->origine = origine;
    d->riga = riga;
    d->posizione = s.posizione_errore;
    return;
  }
}

diagnostica ultimo_codice(const scenario& s) {
  for (auto d = s.diagnostiche.rbegin(); d != s.diagnostiche.rend(); ++d) {
    if (d->livello == gravita::errore) return *d;
  }
  return {};
}

double nearest(double x) { return std::nearbyint(x); }

int64_t indice_cella(int64_t p) {
  return static_cast<int64_t>(nearest(static_cast<double>(p) / 50.0 + 1.0));
}

int64_t indice_confine(int64_t p) {
  return static_cast<int64_t>(nearest(static_cast<double>(p) / 50.0));
}

}  // namespace sb
