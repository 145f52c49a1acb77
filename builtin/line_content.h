// The scenario's line description, BORVALE_linea.txt.
#pragma once

#include <string>

#include "documents/line_list.h"

namespace sb {

// The 134 lines of the line description and the end marker.
lista_righe righe_linea();

}  // namespace sb
