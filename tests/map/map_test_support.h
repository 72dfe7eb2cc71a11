#pragma once
// Small helpers for the map tests: walls drawn as text, ids read back.
#include "test_game.h"

#include "items/item_table.h"
#include "shell/game.h"

#include <string>
#include <vector>

namespace gf::test {

// The catalogue number of the item on a cell, 0 for none.
inline int16_t idAt(Game& g, int32_t x, int32_t y) {
    const int32_t index = g.MapItem(x, y);
    return index == 0 ? 0 : g.Items(index).ID;
}

// Places items from a drawing whose top-left character is (x0, y0): X a stone
// wall, D a closed door, O an open door, g small gold, anything else nothing.
inline void draw(Game& g, int32_t x0, int32_t y0, const std::vector<std::string>& art) {
    for (std::size_t row = 0; row < art.size(); ++row)
        for (std::size_t col = 0; col < art[row].size(); ++col) {
            const int32_t x = x0 + static_cast<int32_t>(col), y = y0 + static_cast<int32_t>(row);
            switch (art[row][col]) {
            case 'X':
                modItem_Add(g, ItemId::StoneWall, x, y);
                break;
            case 'D':
                modItem_Add(g, ItemId::DoorClosedEW, x, y);
                break;
            case 'O':
                modItem_Add(g, ItemId::DoorOpenEW, x, y);
                break;
            case 'g':
                modItem_Add(g, ItemId::SmallGold, x, y);
                break;
            default:
                break;
            }
        }
}

inline std::size_t boxCount(TestGame& t) {
    return t.io.log.of("msgbox").size();
}

inline std::string boxText(TestGame& t, std::size_t i) {
    return t.io.log.of("msgbox").at(i)["text"];
}

} // namespace gf::test
