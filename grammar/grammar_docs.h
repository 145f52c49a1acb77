// The grammar told in the authors' docs: the keyword tables and the tables
// of every row's values, in Markdown, as docs/line_description.md and
// docs/service_description.md hold them (a test keeps the docs equal to
// these, so a keyword or a value is written once, in the grammar).
#pragma once

#include <string>

#include "grammar/row_kinds.h"

namespace sb {

// The keyword table of one scope of a text: each row kind as written, the
// words that recognise it and whether case counts, its heading and its
// values. The curve's spellings share one line.
std::string tabella_parole_md(genere_testo t, ambito_riga a);

// The table of one row kind's values: each value's name, unit, range, what
// it means to the author and to the simulator, and where it is stored.
std::string tabella_valori_md(const tipo_riga& k);

// Every row kind of a text (one for the curve's spellings), under a
// heading of its own, with its values' table.
std::string valori_del_testo_md(genere_testo t);

}  // namespace sb
