#pragma once

#include "image.hpp"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace gloamfell::tools {

// 8-bit RGB PNG, for pictures meant for people (docs), not for the game.
std::vector<std::uint8_t> encodePng(const Image& image);
void savePng(const Image& image, const std::filesystem::path& path);

} // namespace gloamfell::tools
