// The train sheet of a compiled scenario, NAME_TRAIN_scheda_treno.txt, in the
// builder's layout: the header from the service, the route from the records.
#pragma once

#include <vector>

#include "documents/composed_document.h"
#include "documents/train_sheet_layout.h"
#include "scenario/scenario_records.h"

namespace sb {

// The route rows in route order, from the origin to the destination: every
// station, a row where the speed limit changes between them, and the sign
// boards and span ends. A name or caption longer than its column adds a
// remark naming its row.
std::vector<voce_scheda> voci_scheda_compilata(const scenario& s, std::vector<diagnostica>& avvisi);

// The header of the route pages: train number, origin and destination,
// departure, braked-mass percentage, line name, car count, a blank date.
testata_scheda testata_compilata(const scenario& s, std::vector<diagnostica>& avvisi);

// The whole sheet: as many pages as the route needs, at least four.
documento_composto scheda_compilata(const scenario& s);

}  // namespace sb
