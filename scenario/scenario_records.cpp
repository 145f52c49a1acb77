#include "scenario/scenario_records.h"

#include <cmath>

namespace sb {

void pulisci_tabella(tabella_oggetti& tabella) {
  for (oggetto& o : tabella) o = oggetto{};
}

double nearest(double x) { return std::nearbyint(x); }

int64_t indice_cella(int64_t p) {
  return static_cast<int64_t>(nearest(static_cast<double>(p) / 50.0 + 1.0));
}

int64_t indice_confine(int64_t p) {
  return static_cast<int64_t>(nearest(static_cast<double>(p) / 50.0));
}

}  // namespace sb
