// The scene as JSON, the data of the interactive page.
#pragma once

#include <string>

#include "scene/scene_model.h"

namespace sb {

// One JSON object: the scene, the tracks and the layout constants. Item keys
// are short because a long line has thousands of items; see render/page/data.js.
std::string scena_in_json(const scena& s);

}  // namespace sb
