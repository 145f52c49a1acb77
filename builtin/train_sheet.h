// The four-page train sheet, NAME_TRAIN_scheda_treno.txt.
#pragma once

#include <string>
#include <vector>

#include "documents/line_list.h"
#include "documents/train_sheet_layout.h"

namespace sb {

// The route rows of the run, origin to destination, with the landmarks between.
std::vector<voce_scheda> voci_scheda_corsa();

// The document's lines and the end marker.
lista_righe righe_scheda();

}  // namespace sb
