#pragma once
#include <cstdint>

namespace gf {
struct Game;

inline constexpr int16_t kLightRadius = 7;
// The darkest light step, so the light sheet's last tile.
inline constexpr int16_t kUnlit = 7;

void modMap_Set_Visible(Game& g, int32_t rangeX, int32_t rangeY);
void modMap_Set_Light(Game& g);
void modMap_Add_Light(Game& g, int32_t x, int32_t y, int16_t radius);
bool modMap_Is_Visible(Game& g, int32_t x, int32_t y);
bool Is_Transparent(Game& g, int32_t x, int32_t y);
bool modMap_Open_Sight_Line(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

} // namespace gf
