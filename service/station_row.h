// The "stazione" row: one station of the timetable into the next object entry
// and, for a stopping station, its stop point and approach marks in the cells.
#pragma once

#include <string>

#include "scenario/scenario_records.h"
#include "service/service_read.h"

namespace sb {

// Reads the seventeen values of a station row (its keyword already read) into
// entry r.stazione, works out its extent, marks its stop point, checks the
// spacing from the previous station and moves on to the next entry.
passo riga_stazione(scenario& s, lettura_servizio& r);

// The station's name, or its position when it has none yet, for messages:
// "station 'Cortemara'".
std::string chi(const oggetto& e);

}  // namespace sb
