#pragma once

#include "paint.hpp"

namespace gloamfell::tools {

// Top-down creature facing north. A dead one lies still with its eyes dark.
Scene creatureScene(int creature, bool dead);

} // namespace gloamfell::tools
