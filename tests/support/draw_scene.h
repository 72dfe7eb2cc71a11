#pragma once
// A level built by hand for drawing: every cell visible and lit, the view centred on (50, 50).
#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "state/game.h"

#include <string>

namespace gf::scene {

inline constexpr int16_t kPlainItem = 5;
inline constexpr int16_t kRat = 1;
inline constexpr int16_t kGoblin = 2;

inline void prepare(Game& g) {
    g.catalogue.items.reset(30);
    for (int16_t i = 1; i <= 30; ++i)
        g.catalogue.items(i) = ItemType{"thing " + std::to_string(i), i, false, true, 0, 0};
    g.catalogue.items(26) = ItemType{"dagger", 26, false, true, 3, 0};
    g.catalogue.items(27) = ItemType{"soft leather armor", 27, false, true, 0, 2};
    g.catalogue.monsters.reset(2);
    g.catalogue.monsters(kRat) = MonsterInfo{"rat", 1, 1, 6, 20, 5, 5, 0, 0};
    g.catalogue.monsters(kGoblin) = MonsterInfo{"goblin", 2, 2, 12, 40, 7, 12, 0, 0};
    g.items.reset(kItemTableStep);
    g.creatures.reset(20);
    g.level.itemAt.create();
    g.level.creatureAt.create();
    g.level.visible.create();
    g.level.light.create();
    for (int x = 0; x <= kMapUpper; ++x)
        for (int y = 0; y <= kMapUpper; ++y)
            g.level.visible(x, y) = true;
    g.screen.viewX = 50;
    g.screen.viewY = 50;
}

} // namespace gf::scene
