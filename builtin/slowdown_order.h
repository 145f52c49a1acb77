// The blank slowdown order form, NAME_TRAIN_rallentamenti.txt.
#pragma once

#include <string>

#include "documents/line_list.h"

namespace sb {

// The document's lines and the end marker.
lista_righe righe_rallentamenti();

}  // namespace sb
