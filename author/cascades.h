// Findings that only follow from an earlier one, taken out so that the cause
// is told once.
#pragma once

#include <vector>

#include "scenario/diagnostics.h"

namespace sb {

// Drops the warnings that follow from another on the same row: a name cut to
// a document's width where a double quote left open swallowed the lines after
// it into that name.
void togli_conseguenze(std::vector<diagnostica>& d);

}  // namespace sb
