#pragma once
// A level built by hand for drawing: every cell visible and lit, the view centred on (50, 50).
#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "shell/game.h"

#include <string>

namespace gf::scene {

inline constexpr int16_t kPlainItem = 5;
inline constexpr int16_t kRat = 1;
inline constexpr int16_t kGoblin = 2;

inline void prepare(Game& g) {
    g.ItemTypes.redim(30);
    for (int16_t i = 1; i <= 30; ++i)
        g.ItemTypes(i) = ItemType{"thing " + std::to_string(i), i, false, true, 0, 0};
    g.ItemTypes(26) = ItemType{"dagger", 26, false, true, 3, 0};
    g.ItemTypes(27) = ItemType{"soft leather armor", 27, false, true, 0, 2};
    g.MonsterTypes.redim(2);
    g.MonsterTypes(kRat) = MonsterInfo{"rat", 1, 1, 6, 20, 5, 5, 0, 0};
    g.MonsterTypes(kGoblin) = MonsterInfo{"goblin", 2, 2, 12, 40, 7, 12, 0, 0};
    g.Items.redim(kItemTableStep);
    g.Players.redim(20);
    g.MapItem.create();
    g.MapPlayer.create();
    g.MapVisible.create();
    g.MapLight.create();
    for (int x = 0; x <= kMapUpper; ++x)
        for (int y = 0; y <= kMapUpper; ++y)
            g.MapVisible(x, y) = true;
    g.ViewX = 50;
    g.ViewY = 50;
}

} // namespace gf::scene
