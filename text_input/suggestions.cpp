#include "text_input/suggestions.h"

#include <algorithm>
#include <vector>

namespace sb {

int32_t distanza_modifica(std::string_view a, std::string_view b) {
  // Three rows of the table: two back, one back and the current one.
  std::vector<int32_t> due(b.size() + 1), una(b.size() + 1), ora(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) una[j] = static_cast<int32_t>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    ora[0] = static_cast<int32_t>(i);
    for (size_t j = 1; j <= b.size(); ++j) {
      const int32_t cambio = a[i - 1] == b[j - 1] ? 0 : 1;
      ora[j] = std::min({una[j] + 1, ora[j - 1] + 1, una[j - 1] + cambio});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) ora[j] = std::min(ora[j], due[j - 2] + 1);
    }
    std::swap(due, una);
    std::swap(una, ora);
  }
  return una[b.size()];
}

std::string_view suggerisci(std::string_view parola, std::span<const std::string_view> candidati) {
  std::string_view migliore;
  int32_t distanza_migliore = 0;
  for (std::string_view c : candidati) {
    const int32_t soglia = std::clamp(static_cast<int32_t>(c.size()) / 4, 1, 3);
    // Lengths further apart than the threshold are further apart in edits too.
    const int64_t scarto = static_cast<int64_t>(parola.size()) - static_cast<int64_t>(c.size());
    if (scarto > soglia || -scarto > soglia) continue;
    const int32_t d = distanza_modifica(parola, c);
    if (d == 0 || d > soglia) continue;
    if (migliore.empty() || d < distanza_migliore) {
      migliore = c;
      distanza_migliore = d;
    }
  }
  return migliore;
}

}  // namespace sb
