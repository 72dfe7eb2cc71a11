#pragma once
#include <cstdint>
#include <string>

namespace gf {
struct Game;

struct LevelFile;

void modMap_Load(Game& g, const std::string& path);
void modMap_Setup(Game& g, const LevelFile& level);
void modMap_Clear(Game& g, const std::string& name);
// The window caption names the level being played.
void setLevelCaption(Game& g, const std::string& levelName);
bool In_Map(int64_t x, int64_t y);

} // namespace gf
