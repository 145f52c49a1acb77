#include "author/cascades.h"

#include <algorithm>
#include <set>
#include <utility>

namespace sb {

void togli_conseguenze(std::vector<diagnostica>& d) {
  std::set<std::pair<origine_errore, int32_t>> virgolette;
  for (const diagnostica& x : d) {
    if (x.genere == genere_avviso::virgolette_aperte) virgolette.insert({x.origine, x.riga});
  }
  if (virgolette.empty()) return;
  std::erase_if(d, [&](const diagnostica& x) {
    return x.genere == genere_avviso::testo_tagliato && virgolette.contains({x.origine, x.riga});
  });
}

}  // namespace sb
