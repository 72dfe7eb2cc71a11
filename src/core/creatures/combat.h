#pragma once
#include <cstdint>

namespace gf {
struct Game;

void strike(Game& g, int32_t attacker, int32_t defender);
// True when the creature died and was removed.
bool reduceLife(Game& g, int32_t index, int32_t amount);
void addExperience(Game& g, int32_t index, int32_t xp);
// The refresh tick.
void refreshCreatures(Game& g);

} // namespace gf
