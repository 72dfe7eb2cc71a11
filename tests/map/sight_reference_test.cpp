// The fast sweep of visibility (each cell's transparency looked up once,
// rounding inline) must agree cell for cell with the rules followed plainly.
#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/random_level.h"
#include "map/sight.h"
#include "shell/numeric.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace gf::test {
namespace {

bool plainTransparent(Game& g, int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x > kMapUpper || y > kMapUpper) return false;
    const int32_t index = g.MapItem(x, y);
    return index == 0 || !g.ItemTypes(g.Items(index).ID).BlockMovement;
}

// The sight line exactly as the rules state it, one cell at a time.
bool plainSightLine(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (std::max(std::abs(x1 - x2), std::abs(y1 - y2)) <= 1) return true;
    const int dx = x1 - x2, dy = y1 - y2;
    const int minX = std::min(x1, x2), maxX = std::max(x1, x2), minY = std::min(y1, y2),
              maxY = std::max(y1, y2);
    const auto passes = [&](int x, int y) {
        return (x == x1 && y == y1) || (x == x2 && y == y2) || plainTransparent(g, x, y);
    };
    if (dx == 0) {
        for (int y = minY; y <= maxY; ++y)
            if (!passes(x1, y)) return false;
        return true;
    }
    if (dy == 0) {
        for (int x = minX; x <= maxX; ++x)
            if (!passes(x, y1)) return false;
        return true;
    }
    const float s = static_cast<float>(static_cast<double>(dy) / dx);
    if (std::abs(dx) > std::abs(dy)) {
        for (int i = 0; i <= maxX - minX; ++i) {
            const int t = roundEven(s * static_cast<float>(i));
            if (!passes(minX + i, s > 0 ? minY + t : maxY + t)) return false;
        }
    } else {
        for (int i = 0; i <= maxY - minY; ++i) {
            const int t = roundEven(static_cast<float>(i) / s);
            if (!passes(s > 0 ? minX + t : maxX + t, minY + i)) return false;
        }
    }
    return true;
}

Layer<bool> plainVisible(Game& g, int32_t px, int32_t py, int32_t rangeX, int32_t rangeY) {
    Layer<bool> seen;
    seen.create();
    for (int dx = -rangeX; dx <= rangeX; ++dx)
        for (int dy = -rangeY; dy <= rangeY; ++dy) {
            const int cx = px + dx, cy = py + dy;
            if (cx < 0 || cy < 0 || cx > kMapUpper || cy > kMapUpper) continue;
            if (!plainSightLine(g, px, py, cx, cy)) continue;
            seen(cx, cy) = true;
            if (!plainTransparent(g, cx, cy)) continue;
            for (int i = -1; i <= 1; ++i)
                for (int j = -1; j <= 1; ++j)
                    if (cx + i >= 0 && cy + j >= 0 && cx + i <= kMapUpper && cy + j <= kMapUpper)
                        seen(cx + i, cy + j) = true;
        }
    return seen;
}

// Random levels with extra pillars scattered through the rooms, seen from
// random cells with ranges from a corridor's width to past the map's edge.
TEST(SightReference, fastVisibilityMatchesThePlainRules) {
    TestGame t;
    Game& g = t.game;
    // The shipped catalogues: the random rooms hold items 27 to 34.
    t.copyData("item.ini");
    t.copyData("monster.ini");
    modItem_Init(g);
    createPlayers(g);
    modMonster_Init(g);
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> cell(0, kMapUpper), range(1, 40);
    for (int level = 0; level < 6; ++level) {
        t.io.random.seedWhole(static_cast<uint64_t>(level) + 1);
        modMap_Create_Random(g);
        for (int k = 0; k < 400; ++k)
            modItem_Add(g, static_cast<int16_t>(k % 3 == 0 ? 17 : k % 3 == 1 ? 18 : 1), cell(rng), cell(rng));
        for (int view = 0; view < 8; ++view) {
            if (g.CurrentPlayer != 0) modPlayer_Remove(g, g.CurrentPlayer);
            int32_t px = cell(rng), py = cell(rng);
            while (g.MapPlayer(px, py) != 0)
                px = cell(rng), py = cell(rng);
            g.CurrentPlayer = modPlayer_Add(g, 0, px, py);
            const int32_t rangeX = range(rng), rangeY = range(rng);
            modMap_Set_Visible(g, rangeX, rangeY);
            const Layer<bool> expected = plainVisible(g, px, py, rangeX, rangeY);
            for (int32_t y = 0; y <= kMapUpper; ++y)
                for (int32_t x = 0; x <= kMapUpper; ++x)
                    ASSERT_EQ(g.MapVisible(x, y), expected(x, y))
                        << "level " << level << ", creature at (" << px << ", " << py << "), range " << rangeX
                        << " x " << rangeY << ", cell (" << x << ", " << y << ")";
            for (int line = 0; line < 200; ++line) {
                const int32_t x2 = cell(rng), y2 = cell(rng);
                const bool open = plainSightLine(g, px, py, x2, y2);
                ASSERT_EQ(modMap_Open_Sight_Line(g, px, py, x2, y2), open)
                    << "(" << px << ", " << py << ") to (" << x2 << ", " << y2 << ")";
                ASSERT_EQ(modMap_Open_Sight_Line(g, x2, y2, px, py), open)
                    << "(" << x2 << ", " << y2 << ") back to (" << px << ", " << py << ")";
            }
        }
    }
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

} // namespace
} // namespace gf::test
