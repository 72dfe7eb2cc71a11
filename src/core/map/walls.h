#pragma once
#include <cstdint>

namespace gf {
struct Game;

bool isStoneWall(Game& g, int32_t x, int32_t y);
int16_t wallConnector(Game& g, int32_t item);
void joinWalls(Game& g);

} // namespace gf
