#pragma once
#include <cstdint>

namespace gf {
struct Game;

void modPlayer_Attack(Game& g, int32_t attacker, int32_t defender);
// True when the creature died and was removed.
bool modPlayer_Reduce_Life(Game& g, int32_t index, int32_t amount);
void modPlayer_Raise_XP(Game& g, int32_t index, int32_t xp);
// The refresh tick.
void modPlayer_Process(Game& g);

} // namespace gf
