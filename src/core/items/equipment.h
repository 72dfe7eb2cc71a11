#pragma once
#include <cstdint>

namespace gf {
struct Game;

void modItem_Arm_Weapon(Game& g, int32_t creature, int32_t slot);
int32_t modItem_Weapon_Damage(Game& g, int32_t creature);
int32_t modItem_Armor(Game& g, int32_t creature);

} // namespace gf
