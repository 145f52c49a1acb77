#include "report/warning_cap.h"

#include <ostream>

namespace sb {

void scrivi_avvisi(std::ostream& err, const std::string& file, size_t quanti,
                   const std::function<std::string(size_t)>& avviso) {
  for (size_t i = 0; i < quanti && i < kAvvisiMostrati; ++i) err << avviso(i) << "\n";
  if (quanti > kAvvisiMostrati) err << file << ": note: " << quanti - kAvvisiMostrati << " more like this\n";
}

}  // namespace sb
