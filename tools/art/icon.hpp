#pragma once

#include "../common/image.hpp"

#include <array>

namespace gloamfell::tools {

// Sizes of the launcher icon, in pixels across.
inline constexpr std::array<int, 4> kIconSizes{48, 64, 128, 256};

// The player's creature in the pool of light it carries, on a round stone floor.
Image makeIcon(int size);

} // namespace gloamfell::tools
