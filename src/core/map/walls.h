#pragma once
#include <cstdint>

namespace gf {
struct Game;

bool Is_Stone_Wall(Game& g, int32_t x, int32_t y);
int16_t modMap_get_wall_connector(Game& g, int32_t item);
void modMap_Fix_Walls(Game& g);

} // namespace gf
