// The service description taken back from the compiled records: the general
// rows from entries 84 and 86, the stations from entries 1 upward, the
// profiles, slowdowns, signals and code-reduction points from the cells.
#pragma once

#include <vector>

#include "decompile/author_rows.h"
#include "scenario/scenario_records.h"

namespace sb {

// The station row that gives the entry as it stands: its length from the
// extent, the option that moved its end by 50 m (cleared again at the first
// station), its time as hours, minutes and seconds.
riga_stazione stazione_da_oggetto(const oggetto& o);

// The signals in an order that gives every cell's approach marks: a signal
// whose marks lie over another's comes after it.
std::vector<riga_segnale> segnali_dalle_celle(const celle_percorso& celle);

// The author's code-reduction points: every point without a value, and every
// point with one that the signal aspect pass does not give by itself.
std::vector<riga_abbattimento> abbattimenti_dalle_celle(const celle_percorso& celle);

// The whole service description.
descrizione_servizio ricostruisci_servizio(const tabella_oggetti& tabella, const celle_percorso& celle);

}  // namespace sb
