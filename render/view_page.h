// The interactive page of a scene: one self-contained HTML file with the
// scene's data, the style sheet and the script inside it.
#pragma once

#include <string>

#include "scene/scene_model.h"

namespace sb {

// The page. It loads nothing from elsewhere: no network, no other file. A
// live page (eventi, the address of its event stream relative to the page's
// own) follows that stream and draws each scene it sends in place.
std::string pagina_vista(const scena& s, const std::string& eventi = "");

}  // namespace sb
