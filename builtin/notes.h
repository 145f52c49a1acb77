// The notes on the run, NAME_TRAIN_note.txt.
#pragma once

#include <string>

#include "documents/line_list.h"

namespace sb {

// The document's lines and the end marker.
lista_righe righe_note();

}  // namespace sb
