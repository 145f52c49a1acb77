#include "scene/chainage_ticks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sb {

std::vector<tacca_progressiva> tacche_progressiva(const std::vector<tratto_progressiva>& tratti, double m0,
                                                  double m1, double passo) {
  constexpr double kInfinito = std::numeric_limits<double>::infinity();
  std::vector<tacca_progressiva> tacche;
  // Before the first stretch the chainage is the position.
  std::vector<std::pair<double, double>> limiti = {{-kInfinito, 0}};
  for (const tratto_progressiva& t : tratti) {
    limiti.push_back({static_cast<double>(t.da), static_cast<double>(t.scarto)});
  }
  for (size_t k = 0; k < limiti.size(); ++k) {
    const auto [da, scarto] = limiti[k];
    const double fine = k + 1 < limiti.size() ? limiti[k + 1].first : kInfinito;  // the next stretch's first metre
    const double lo = std::max(m0, da), hi = std::min(m1, fine);
    if (lo > hi) continue;
    for (double n = std::ceil((lo + scarto) / passo); n * passo - scarto <= hi; n += 1) {
      const double metro = n * passo - scarto;
      if (metro < fine) tacche.push_back({metro, n * passo});
    }
  }
  return tacche;
}

}  // namespace sb
