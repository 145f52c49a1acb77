// The line description taken back from the compiled records: the general
// rows from entries 81 to 86, the curves from the plan, the gradients,
// montagna spans, indicators and signs from the cells and the sign captions.
#pragma once

#include <vector>

#include "decompile/author_rows.h"
#include "scenario/scenario_records.h"

namespace sb {

// Whether an entry 1 to 80 holds a station: anything besides a name.
bool stazione_presente(const oggetto& o);

// How many stations the table holds: entries 1, 2, ... while they are stations.
int numero_stazioni(const tabella_oggetti& tabella);

// The chainage rows "uno", "due", "tre" that progressive_ordina arranges into
// the entries 81 to 83 as they stand; false (with the entries as "tre", "due",
// "uno") when no way of writing them does.
bool progressive_dalla_tabella(const tabella_oggetti& tabella, std::array<riga_progressiva, 3>& righe);

// The montagna rows whose spans and filler marks give the cells' montagna
// kinds and marks, in ascending order.
std::vector<riga_montagna> montagne_dalle_celle(const celle_percorso& celle);

// The sign rows in the order their captions were stored (entry 80 first).
// A sign whose cell a station's stop point took goes on a stop point free of
// other line rows, which covers it again.
std::vector<riga_cartello> cartelli_dalle_celle(const tabella_oggetti& tabella, const celle_percorso& celle);

// The whole line description; without a plan no curve comes back.
descrizione_linea ricostruisci_linea(const tabella_oggetti& tabella, const celle_percorso& celle,
                                     const griglia_linea* griglia);

}  // namespace sb
