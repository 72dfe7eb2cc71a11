#pragma once

#include "paint.hpp"

namespace gloamfell::tools {

// Top-down creature facing north. A dead one lies still with its eyes dark.
Scene creatureScene(int creature, bool dead);
// Drawn size relative to the scene's 32 units: the largest creatures fill their tile.
double creatureSize(int creature);

} // namespace gloamfell::tools
