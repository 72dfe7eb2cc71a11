#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace gf {
struct Game;
struct CreatureTable;

inline constexpr int32_t kFirstPlayerEntries = 20;
inline constexpr int32_t kPlayerTableStep = 10;

// Start-up's creature table: 20 blank entries.
void createCreatureTable(CreatureTable& creatures);
// The user's creature on the start cell, named `name` or by the name box;
// Cancel on the box leaves no creature.
void createUser(Game& g, const std::optional<std::string>& name = std::nullopt);
// Asks until the name can be saved; nothing when the user cancels.
std::optional<std::string> askForName(Game& g);
// Index of the new creature, 0 when nothing was placed.
int32_t addCreature(Game& g, int16_t monsterType, int32_t x, int32_t y);
void removeCreature(Game& g, int32_t index);

} // namespace gf
