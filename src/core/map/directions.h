#pragma once
#include <cstdint>

namespace gf {
struct Game;

int16_t modMap_Dist(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int16_t modMap_Direction(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
int16_t modMap_AltDirection(Game& g, int16_t direction);
int16_t modMap_Opposite_Direction(Game& g, int16_t direction);
int16_t modMap_Quarter_Direction(Game& g, int16_t direction, int16_t turn);
// Moves x, y one step in place; true when the new cell lies on the map.
bool modMap_Get_Facing_XY(Game& g, int16_t direction, int32_t& x, int32_t& y);

} // namespace gf
