#pragma once
#include <cstdint>

namespace gf {
struct Game;

void modMonster_Process(Game& g);
void modMonster_Attack(Game& g, int32_t index);
void modMonster_Home(Game& g, int32_t index);

} // namespace gf
