#pragma once
#include <cstdint>

namespace gf {
struct Game;

void moveMonsters(Game& g);
void monsterAttack(Game& g, int32_t index);
void sendMonsterHome(Game& g, int32_t index);

} // namespace gf
