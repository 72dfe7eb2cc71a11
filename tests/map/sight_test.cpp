// Sight and light: the fast sweep of visibility agrees cell for cell with the rules followed plainly.
#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/directions.h"
#include "map/random_level.h"
#include "map/sight.h"
#include "test_game.h"
#include "util/numeric.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <random>

namespace gf::test {
namespace {

bool plainTransparent(Game& g, int32_t x, int32_t y) {
    return inMap(x, y) &&
           (g.level.itemAt(x, y) == 0 || !g.catalogue.items(g.items(g.level.itemAt(x, y)).id).blocksMovement);
}

// The sight line exactly as the rules state it, one cell at a time along the longer axis.
bool plainSightLine(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (std::max(std::abs(x1 - x2), std::abs(y1 - y2)) <= 1) return true;
    const int dx = x1 - x2, dy = y1 - y2;
    const int minX = std::min(x1, x2), maxX = std::max(x1, x2), minY = std::min(y1, y2),
              maxY = std::max(y1, y2);
    const bool alongX = std::abs(dx) > std::abs(dy);
    const float s = dx == 0 || dy == 0 ? 0.0f : static_cast<float>(static_cast<double>(dy) / dx);
    for (int i = 0; i <= (alongX ? maxX - minX : maxY - minY); ++i) {
        const int t =
            s == 0.0f ? 0 : roundEven(alongX ? s * static_cast<float>(i) : static_cast<float>(i) / s);
        const int x = alongX ? minX + i : (s > 0 ? minX : maxX) + t;
        const int y = alongX ? (s > 0 ? minY : maxY) + t : minY + i;
        if (!(x == x1 && y == y1) && !(x == x2 && y == y2) && !plainTransparent(g, x, y)) return false;
    }
    return true;
}

Layer<bool> plainVisible(Game& g, int32_t px, int32_t py, int32_t rangeX, int32_t rangeY) {
    Layer<bool> seen;
    seen.create();
    for (int dx = -rangeX; dx <= rangeX; ++dx)
        for (int dy = -rangeY; dy <= rangeY; ++dy) {
            const int cx = px + dx, cy = py + dy;
            if (!inMap(cx, cy) || !plainSightLine(g, px, py, cx, cy)) continue;
            seen(cx, cy) = true;
            if (!plainTransparent(g, cx, cy)) continue;
            for (int i = -1; i <= 1; ++i)
                for (int j = -1; j <= 1; ++j)
                    if (inMap(cx + i, cy + j)) seen(cx + i, cy + j) = true;
        }
    return seen;
}

// Random levels with pillars, seen from random cells with ranges up to past the map's edge.
TEST(SightReference, fastVisibilityMatchesThePlainRules) {
    TestGame t;
    Game& g = t.game;
    // The shipped catalogues: the random rooms hold items 27 to 34.
    t.copyData("item.ini");
    t.copyData("monster.ini");
    loadItemCatalogue(g);
    createCreatureTable(g.creatures);
    loadMonsterCatalogue(g);
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> cell(0, kMapUpper), range(1, 40);
    const auto expectPlainVisibility = [&](int32_t px, int32_t py, int32_t rangeX, int32_t rangeY) {
        updateVisibility(g, rangeX, rangeY);
        const Layer<bool> expected = plainVisible(g, px, py, rangeX, rangeY);
        for (int32_t y = 0; y <= kMapUpper; ++y)
            for (int32_t x = 0; x <= kMapUpper; ++x)
                ASSERT_EQ(g.level.visible(x, y), expected(x, y))
                    << "creature at (" << px << ", " << py << "), range " << rangeX << " x " << rangeY
                    << ", cell (" << x << ", " << y << ")";
    };
    for (int level = 0; level < 6; ++level) {
        t.io.random.seedWhole(static_cast<uint64_t>(level) + 1);
        createRandomLevel(g);
        for (int k = 0; k < 400; ++k)
            addItem(g, static_cast<int16_t>(k % 3 == 0 ? 17 : k % 3 == 1 ? 18 : 1), cell(rng), cell(rng));
        for (int view = 0; view < 8; ++view) {
            if (g.creatures.current != 0) removeCreature(g, g.creatures.current);
            int32_t px = cell(rng), py = cell(rng);
            while (g.level.creatureAt(px, py) != 0)
                px = cell(rng), py = cell(rng);
            g.creatures.current = addCreature(g, 0, px, py);
            const int32_t rangeX = range(rng), rangeY = range(rng);
            expectPlainVisibility(px, py, rangeX, rangeY);
            for (int line = 0; line < 200; ++line) {
                const int32_t x2 = cell(rng), y2 = cell(rng);
                const bool open = plainSightLine(g, px, py, x2, y2);
                ASSERT_EQ(hasLineOfSight(g, px, py, x2, y2), open)
                    << "(" << px << ", " << py << ") to (" << x2 << ", " << y2 << ")";
                ASSERT_EQ(hasLineOfSight(g, x2, y2, px, py), open)
                    << "(" << x2 << ", " << y2 << ") back to (" << px << ", " << py << ")";
            }
        }
    }
    // Only a damaged game puts the user's creature off the map; it still sees by the same rules.
    g.level.itemAt.create(); // no border walls to hide a misread cell
    for (const auto& [x, y, range] :
         {std::tuple{-1, 30, 12}, {101, 50, 101}, {40, 101, 101}, {20, -1, 101}}) {
        std::tie(g.creatures(g.creatures.current).x, g.creatures(g.creatures.current).y) = std::tuple(x, y);
        expectPlainVisibility(x, y, range, range);
    }
    EXPECT_EQ(boxTexts(t), Texts{});
}

class Sight : public ::testing::Test, protected EmptyLevel {
protected:
    void userAt(int32_t x, int32_t y) { g.creatures.current = addCreature(g, 0, x, y); }
    std::vector<int16_t> light(std::initializer_list<std::pair<int32_t, int32_t>> cells) {
        std::vector<int16_t> out;
        for (const auto& [x, y] : cells)
            out.push_back(g.level.light(x, y));
        return out;
    }
};

using Light = std::vector<int16_t>;

// Light fades a step per square ring, sources add up to full light, and the map's edge cuts the square.
TEST_F(Sight, lightFallsOffInSquareRingsAndAdds) {
    g.level.light(5, 5) = 3;
    g.level.visible(5, 5) = true;
    updateLight(g);
    updateVisibility(g, 30, 17);
    EXPECT_EQ(light({{5, 5}, {6, 6}}), (Light{3, 0}));
    EXPECT_TRUE(g.level.visible(5, 5));

    userAt(50, 50);
    updateLight(g);
    EXPECT_EQ(light({{50, 50}, {51, 49}, {53, 48}, {44, 44}, {57, 50}, {43, 43}, {0, 0}, {5, 5}}),
              (Light{0, 1, 3, 6, 7, 7, 7, 7}));
    addLight(g, 52, 50, 7);
    EXPECT_EQ(light({{51, 50}, {58, 50}, {45, 50}, {60, 50}}), (Light{0, 6, 5, 7}));
    addLight(g, 50, 50, std::numeric_limits<int16_t>::max());
    EXPECT_EQ(light({{100, 100}}), Light{0});

    removeCreature(g, g.creatures.current);
    userAt(2, 2);
    updateLight(g);
    EXPECT_EQ(light({{0, 0}, {8, 8}, {9, 2}, {100, 100}}), (Light{2, 6, 7, 7}));
    EXPECT_EQ(boxTexts(t), Texts{});
}

// A broken item on a line fails closed with a box, keeping the cells marked before it.
TEST_F(Sight, brokenItemFailsClosedKeepingEarlierCells) {
    addItem(g, 99, 48, 50);
    EXPECT_FALSE(hasLineOfSight(g, 46, 50, 50, 50));
    userAt(50, 50);
    updateVisibility(g, 3, 2);
    const std::string line = "Error_modMap_Open_Sight_Line : Subscript out of range";
    EXPECT_EQ(boxTexts(t), (Texts{line, line, "Error_modMap_Set_Visible : Subscript out of range"}));
    EXPECT_EQ(std::tuple(cellVisible(g, 47, 48), cellVisible(g, 48, 50), cellVisible(g, 50, 50)),
              std::tuple(true, true, false));
}

// The range is cut to the map: far wider covers it all, negative covers nothing, and neither fails.
TEST_F(Sight, rangeIsCutToMap) {
    userAt(0, 100);
    const int32_t most = std::numeric_limits<int32_t>::max(), least = std::numeric_limits<int32_t>::min();
    for (const auto& [rangeX, rangeY, cells] :
         {std::tuple{most, most, 101 * 101}, {5, -1, 0}, {least, 5, 0}}) {
        updateVisibility(g, rangeX, rangeY);
        int seen = 0;
        for (int32_t x = 0; x <= 100; ++x)
            for (int32_t y = 0; y <= 100; ++y)
                seen += g.level.visible(x, y);
        EXPECT_EQ(seen, cells) << rangeX << " x " << rangeY;
    }
    EXPECT_EQ(std::tuple(cellVisible(g, -1, 100), cellVisible(g, 0, 101)), std::tuple(false, false));
    EXPECT_EQ(boxTexts(t), Texts{});
}

using Step = std::pair<int32_t, int32_t>;

// The cell a direction faces from (50, 50), as an offset.
Step step(Game& g, int16_t d) {
    int32_t x = 50, y = 50;
    EXPECT_TRUE(stepInDirection(g, d, x, y));
    return {x - 50, y - 50};
}

// Monster headings, turns, opposites, retried steps and distances must agree on the keypad directions,
// to the map's edges and past them.
TEST(Directions, stepsTurnsOppositesRetriesAndDistancesAgree) {
    TestGame t;
    Game& g = t.game;
    EXPECT_EQ(std::tuple(step(g, 8), step(g, 3), step(g, 4)),
              std::tuple(Step{0, -1}, Step{1, 1}, Step{-1, 0}));
    for (int16_t d = 1; d <= 9; ++d) {
        if (d == 5) continue;
        const auto [dx, dy] = step(g, d);
        EXPECT_EQ(directionTo(g, 10, 10, 10 + dx * 37, 10 + dy * 3), d);
        EXPECT_EQ(step(g, oppositeDirection(g, d)), (Step{-dx, -dy})) << d;
        const int16_t clockwise = quarterTurn(g, d, 1);
        EXPECT_EQ(step(g, clockwise), (Step{-dy, dx})) << d;
        for (const int16_t back : {0, 2, -7})
            EXPECT_EQ(quarterTurn(g, clockwise, back), d) << d;
        t.io.random.queue(0.5001f);
        t.io.random.queue(0.5f);
        const int16_t above = alternativeDirection(g, d), atOrBelow = alternativeDirection(g, d);
        EXPECT_NE(above, atOrBelow) << d;
        for (const int16_t alt : {above, atOrBelow}) {
            const auto [ax, ay] = step(g, alt);
            EXPECT_EQ(std::abs(ax - dx) + std::abs(ay - dy), 1) << d << " retries " << alt;
            EXPECT_NE(alt, 5) << d;
        }
    }
    EXPECT_EQ(directionTo(g, 10, 10, 10, 10), 5);
    // No direction has no turn, opposite or retry, and asking must not use up another caller's draw.
    t.io.random.queue(0.25f);
    for (const int16_t d : {0, 5, 10, -3})
        EXPECT_EQ(std::tuple(quarterTurn(g, d, 1), quarterTurn(g, d, 2), oppositeDirection(g, d),
                             alternativeDirection(g, d), step(g, d)),
                  std::tuple(0, 0, 0, 0, Step{0, 0}))
            << d;
    EXPECT_EQ(std::pair(g.draw(), boxTexts(t)), std::pair(0.25f, Texts{}));
    // Distances are king's moves; steps may leave the map; fields past 16 or 32 bits fail with a box.
    EXPECT_EQ((std::vector<int16_t>{cellDistance(g, 4, 4, 4, 4), cellDistance(g, 0, 0, 3, 7),
                                    cellDistance(g, 5, 5, 2, 8), cellDistance(g, 100, 0, 0, 100),
                                    cellDistance(g, 0, 0, 32767, 0), cellDistance(g, 0, 0, 0, 32768)}),
              (std::vector<int16_t>{0, 7, 3, 100, 32767, 0}));
    const int32_t most = std::numeric_limits<int32_t>::max();
    for (const auto& [d, x, y, inMap, toX, toY] : {std::tuple{7, 0, 0, false, -1, -1},
                                                   {3, 99, 99, true, 100, 100},
                                                   {9, 100, 0, false, 101, -1},
                                                   {5, 101, 4, false, 101, 4},
                                                   {6, most, 0, false, most, 0}}) {
        int32_t sx = x, sy = y;
        EXPECT_EQ(stepInDirection(g, static_cast<int16_t>(d), sx, sy), inMap) << d;
        EXPECT_EQ((Step{sx, sy}), (Step{toX, toY})) << d;
    }
    EXPECT_EQ(boxTexts(t), (Texts{"Error_modMap_Dist : Overflow", "Error_modMap_Get_Facing_XY : Overflow"}));
}

} // namespace
} // namespace gf::test
