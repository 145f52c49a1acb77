#include "passes/stamps.h"

namespace sb {

// Placeholders until the stamps land.
int16_t codice_gara_og(const tabella_oggetti&) { return 0; }
int32_t codice_gara_st(const tabella_oggetti&) { return 0; }
int32_t timbra(scenario&) { return 0; }

}  // namespace sb
