#include "passes/signal_pass.h"

namespace sb {

// Placeholder until the pass lands.
void passaggio_segnali(scenario&) {}

}  // namespace sb
