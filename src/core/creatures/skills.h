#pragma once
#include <cstdint>

namespace gf {
struct Game;

void initSkills(Game& g);
int32_t skillValue(Game& g, int32_t index, int32_t skill);
int32_t rollSkill(Game& g, int32_t index, int32_t skill);
void addSkillExperience(Game& g, int32_t index, int32_t skill, int32_t xp, bool alsoPlayerXP);
void raiseSkill(Game& g, int32_t index, int32_t skill);

} // namespace gf
