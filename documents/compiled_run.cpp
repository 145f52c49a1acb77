#include "documents/compiled_run.h"

#include <algorithm>

namespace sb {

std::vector<int> voci_stazioni(const scenario& s) {
  const oggetto vuota{};
  int ultima = 0;
  for (int i = 1; i <= s.limite_stazioni && i < kOggettoProgressivaTre; ++i) {
    if (!(s.tabella[static_cast<size_t>(i)] == vuota)) ultima = i;
  }
  std::vector<int> voci;
  for (int i = 1; i <= ultima; ++i) voci.push_back(i);
  return voci;
}

std::vector<rallentamento_in_celle> rallentamenti_nelle_celle(const scenario& s) {
  std::vector<rallentamento_in_celle> trovati;
  for (size_t i = 0; i < s.celle.size(); ++i) {
    const cella& c = s.celle[i];
    if (c.tipo == tipo_cella::inizio_rallentamento) trovati.push_back({i, c.dato_1});
    if (c.tipo != tipo_cella::fine_rallentamento) continue;
    for (auto r = trovati.rbegin(); r != trovati.rend(); ++r) {
      if (r->fine < 0 && r->velocita == c.dato_1) {
        r->fine = static_cast<int64_t>(i);
        break;
      }
    }
  }
  return trovati;
}

int32_t velocita_a(const scenario& s, int64_t posizione) {
  const int64_t i = indice_confine(posizione);
  if (i < 0 || i >= static_cast<int64_t>(s.celle.size())) return 0;
  return s.celle[static_cast<size_t>(i)].velocita * 5;
}

int64_t progressiva_a(const tabella_oggetti& tabella, int64_t posizione) {
  for (int i = kOggettoProgressivaTre; i < kOggettoGenerale; ++i) {
    const oggetto& riferimento = tabella[static_cast<size_t>(i)];
    if (riferimento.inizio <= posizione) return int64_t{riferimento.fine} + (posizione - riferimento.inizio);
  }
  return posizione;
}

// The chainage can change its step only where an entry starts: between two
// starts the same entry applies at every metre.
std::vector<tratto_progressiva> tratti_progressiva(const tabella_oggetti& tabella) {
  std::vector<int64_t> inizi;
  for (int i = kOggettoProgressivaTre; i < kOggettoGenerale; ++i) inizi.push_back(tabella[static_cast<size_t>(i)].inizio);
  std::sort(inizi.begin(), inizi.end());
  std::vector<tratto_progressiva> tratti;
  int64_t prima = 0;  // before the first start the chainage is the position
  for (int64_t da : inizi) {
    const int64_t scarto = progressiva_a(tabella, da) - da;
    if (scarto == prima) continue;
    tratti.push_back({da, scarto});
    prima = scarto;
  }
  return tratti;
}

}  // namespace sb
