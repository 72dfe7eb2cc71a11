#pragma once
#include <cstdint>

namespace gf {
struct Game;

void modSkill_Init(Game& g);
int32_t modSkill_Value(Game& g, int32_t index, int32_t skill);
int32_t modSkill_Roll(Game& g, int32_t index, int32_t skill);
void modSkill_Raise_XP(Game& g, int32_t index, int32_t skill, int32_t xp, bool alsoPlayerXP);
void modSkill_Raise(Game& g, int32_t index, int32_t skill);

} // namespace gf
