#pragma once
#include <cstdint>

namespace gf {
struct Game;
struct ItemTable;

inline constexpr int32_t kItemTableStep = 1000;

// Index of the new entry, 0 when the cell is off the map or taken.
int32_t addItem(Game& g, int16_t id, int32_t x, int32_t y);
void removeItem(Game& g, int32_t index);
// Items as 1000 free entries, as every level and a new game start it.
void emptyItemTable(Game& g);
// After Items was replaced whole (a loaded game): the next addition searches from index 1 again.
void itemTableReplaced(ItemTable& items);

} // namespace gf
