#pragma once
#include <cstdint>

namespace gf {
struct Game;

inline constexpr int32_t kItemTableStep = 1000;

// Index of the new entry, 0 when the cell is off the map or taken.
int32_t modItem_Add(Game& g, int16_t id, int32_t x, int32_t y);
void modItem_Delete(Game& g, int32_t index);

} // namespace gf
