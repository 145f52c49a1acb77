// A whole text given in the wrong place: a service description given as the
// line, a line description as the service, a train profile as either. The
// author is told that once, first, and not the findings that follow from it.
#pragma once

#include <optional>
#include <vector>

#include "report/author_text.h"
#include "scenario/diagnostics.h"

namespace sb {

// When the text given as the line or as the service description is another
// kind of text (by the keywords that begin its lines), puts one error that
// names it first and drops every other diagnostic of that text; texts given
// the other way round are told as swapped, in one error.
void testi_fuori_posto(const std::optional<testo_autore>& linea, const std::optional<testo_autore>& servizio,
                       std::vector<diagnostica>& d);

}  // namespace sb
