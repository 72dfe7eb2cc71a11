#pragma once
// A small level built by hand for drawing tests: catalogues and layers set
// directly, every cell visible and fully lit, the view centred on (50, 50).
// Without a user's creature the sight pass leaves these layers as set, so a
// test controls exactly what counts as visible.
#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "test_game.h"

#include <algorithm>
#include <string>
#include <vector>

namespace gf::test {

inline constexpr int16_t kScenePlainItem = 5;
inline constexpr int16_t kSceneMonster = 1;

inline void prepareScene(Game& g) {
    g.ItemTypes.redim(30);
    for (int16_t i = 1; i <= 30; ++i)
        g.ItemTypes(i) = ItemType{"thing " + std::to_string(i), i, false, true, 0, 0};
    g.ItemTypes(26) = ItemType{"dagger", 26, false, true, 3, 0};
    g.ItemTypes(27) = ItemType{"soft leather armor", 27, false, true, 0, 2};
    g.MonsterTypes.redim(2);
    g.MonsterTypes(1) = MonsterInfo{"rat", 1, 1, 6, 20, 5, 5, 0, 0};
    g.MonsterTypes(2) = MonsterInfo{"goblin", 2, 2, 12, 40, 7, 12, 0, 0};
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

// The ops of one kind, in drawing order.
inline std::vector<RecordingCanvas::Op> opsOf(const RecordingCanvas& c, const std::string& kind) {
    std::vector<RecordingCanvas::Op> out;
    std::copy_if(c.ops.begin(), c.ops.end(), std::back_inserter(out),
                 [&](const RecordingCanvas::Op& o) { return o.kind == kind; });
    return out;
}

// Every op placed at pixel (x, y), in drawing order.
inline std::vector<RecordingCanvas::Op> opsAt(const RecordingCanvas& c, int x, int y) {
    std::vector<RecordingCanvas::Op> out;
    std::copy_if(c.ops.begin(), c.ops.end(), std::back_inserter(out), [&](const RecordingCanvas::Op& o) {
        return o.x == x && o.y == y && o.kind != "clear" && o.kind != "present";
    });
    return out;
}

} // namespace gf::test
