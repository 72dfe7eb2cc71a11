#pragma once

#include "image.hpp"

#include <cstdint>
#include <vector>

namespace gloamfell::tools {

// 8-bit RGBA PNG with stored (uncompressed) deflate blocks: exact and
// dependency-free. The transparent key becomes fully transparent.
std::vector<std::uint8_t> encodePng(const Image& image);

} // namespace gloamfell::tools
