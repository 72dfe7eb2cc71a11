#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace gf {
struct Game;

// What one level file holds, as read.
struct MapFileData {
    std::string Name;
    std::string Lower;
    std::string Upper;
    std::array<std::string, 101> Lines{};
};

void modMap_Load(Game& g, const std::string& path);
void modMap_Setup(Game& g, const MapFileData& data);
void modMap_Clear(Game& g, const std::string& name);
// The window caption names the level being played.
void setLevelCaption(Game& g, const std::string& levelName);
bool In_Map(int64_t x, int64_t y);

} // namespace gf
