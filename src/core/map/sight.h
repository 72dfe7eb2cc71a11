#pragma once
#include <cstdint>

namespace gf {
struct Game;

inline constexpr int16_t kLightRadius = 7;
// The darkest light step, so the light sheet's last tile.
inline constexpr int16_t kUnlit = 7;

void updateVisibility(Game& g, int32_t rangeX, int32_t rangeY);
void updateLight(Game& g);
void addLight(Game& g, int32_t x, int32_t y, int16_t radius);
bool cellVisible(Game& g, int32_t x, int32_t y);
bool isTransparent(Game& g, int32_t x, int32_t y);
bool hasLineOfSight(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

} // namespace gf
