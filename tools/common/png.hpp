#pragma once

#include "image.hpp"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace gloamfell::tools {

// 8-bit PNG, for pictures meant for people (docs, icons), not for the game. With
// keyIsClear the transparent key becomes see-through (RGBA); otherwise it stays white (RGB).
std::vector<std::uint8_t> encodePng(const Image& image, bool keyIsClear = false);
void savePng(const Image& image, const std::filesystem::path& path);

} // namespace gloamfell::tools
