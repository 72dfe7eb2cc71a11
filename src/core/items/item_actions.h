#pragma once
#include <cstdint>

namespace gf {
struct Game;

void openAhead(Game& g, int32_t creature);
void stepOnItems(Game& g, int32_t creature, int32_t x, int32_t y);
void pickUp(Game& g, int32_t creature);
void dropItem(Game& g, int32_t creature, int32_t slot);

} // namespace gf
