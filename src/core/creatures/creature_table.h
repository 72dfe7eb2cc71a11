#pragma once
#include <cstdint>

namespace gf {
struct Game;

inline constexpr int32_t kFirstPlayerEntries = 20;
inline constexpr int32_t kPlayerTableStep = 10;

// Start-up's creature table: 20 blank entries.
void createPlayers(Game& g);
void modPlayer_Setup(Game& g);
// Index of the new creature, 0 when nothing was placed.
int32_t modPlayer_Add(Game& g, int16_t monsterType, int32_t x, int32_t y);
void modPlayer_Remove(Game& g, int32_t index);

} // namespace gf
