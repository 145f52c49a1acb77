#include "builtin/slowdown_order.h"

#include "documents/slowdown_form.h"

namespace sb {

lista_righe righe_rallentamenti() { return lista_da(righe_modulo("xxxxxx xxxxxxx", "xxxxx", {})); }

}  // namespace sb
