// A picture of the scenario for a person and for documents: the map drawn
// from the line plan, and under it, on one kilometre axis, a track for every
// kind of item and a chart for every profile, with a scale bar and a legend
// of what is drawn. The same drawing as the interactive page, at one zoom.
#pragma once

#include <string>

#include "scene/scene_model.h"

namespace sb {

// The SVG document of the scene. Whatever the scene lacks is left out: no
// plan, no map; no cells, no items but the stations and no profiles.
std::string disegna_pianta(const scena& s);

}  // namespace sb
