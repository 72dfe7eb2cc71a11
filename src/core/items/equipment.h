#pragma once
#include <cstdint>

namespace gf {
struct Game;

void ready(Game& g, int32_t creature, int32_t slot);
int32_t weaponDamage(Game& g, int32_t creature);
int32_t armourValue(Game& g, int32_t creature);

} // namespace gf
