// The interactive page's template, style sheet and script, carried by the
// tool: the build embeds render/view_page.html, view_page.css and the
// modules of render/page/ joined into one script.
#pragma once

#include <string_view>

namespace sb {

// The HTML template, with the places where the rest goes.
std::string_view modello_pagina();

// The style sheet.
std::string_view stile_pagina();

// The script.
std::string_view script_pagina();

}  // namespace sb
