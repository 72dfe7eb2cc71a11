#pragma once
#include <cstdint>

namespace gf {
struct Game;

void modItem_Open(Game& g, int32_t creature);
void modItem_Step_On(Game& g, int32_t creature, int32_t x, int32_t y);
void modItem_Pickup(Game& g, int32_t creature);
void modItem_Drop(Game& g, int32_t creature, int32_t slot);

} // namespace gf
