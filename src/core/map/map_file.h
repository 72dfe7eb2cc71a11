#pragma once
#include <cstdint>
#include <string>

namespace gf {
struct Game;

struct LevelFile;

void loadLevel(Game& g, const std::string& path);
void setUpLevel(Game& g, const LevelFile& level);
void clearLevel(Game& g, const std::string& name);
// The window caption names the level being played.
void setLevelCaption(Game& g, const std::string& levelName);

} // namespace gf
