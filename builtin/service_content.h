// The scenario's service description, BORVALE_40617-.txt.
#pragma once

#include <string>

#include "documents/line_list.h"

namespace sb {

// The 120 lines of the service description and the end marker.
lista_righe righe_treno();

}  // namespace sb
