#include "map/sight.h"

#include "creatures/creature_table.h"
#include "map_test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace gf::test {
namespace {

struct LightAt {
    int32_t x, y;
    int16_t value;
};

class Sight : public ::testing::Test {
protected:
    void SetUp() override { prepareEmptyLevel(t); }

    void userAt(int32_t x, int32_t y) { t.game.CurrentPlayer = modPlayer_Add(t.game, 0, x, y); }

    bool bothWays(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        const bool forward = modMap_Open_Sight_Line(t.game, x1, y1, x2, y2);
        EXPECT_EQ(forward, modMap_Open_Sight_Line(t.game, x2, y2, x1, y1)) << "the two directions disagree";
        return forward;
    }

    TestGame t;
};

// The carried light fades in square rings, one step per cell, to unlit at seven.
TEST_F(Sight, lightFallsOffInSquareRings) {
    userAt(50, 50);
    modMap_Set_Light(t.game);
    const LightAt cells[] = {{50, 50, 0}, {51, 49, 1}, {53, 48, 3}, {44, 44, 6},
                             {57, 50, 7}, {43, 43, 7}, {60, 50, 7}, {0, 0, 7}};
    for (const auto& c : cells)
        EXPECT_EQ(t.game.MapLight(c.x, c.y), c.value) << c.x << "," << c.y;
    EXPECT_EQ(boxCount(t), 0u);
}

// Near a corner the light square is cut at the map's edge instead of failing.
TEST_F(Sight, lightIsClippedAtMapEdge) {
    userAt(2, 2);
    modMap_Set_Light(t.game);
    EXPECT_EQ(t.game.MapLight(0, 0), 2);
    EXPECT_EQ(t.game.MapLight(8, 8), 6);
    EXPECT_EQ(t.game.MapLight(9, 2), 7);
    EXPECT_EQ(boxCount(t), 0u);
}

// A second source brightens where it overlaps, never below full light.
TEST_F(Sight, extraLightAddsAndClampsAtFull) {
    userAt(50, 50);
    modMap_Set_Light(t.game);
    modMap_Add_Light(t.game, 52, 50, 7);
    EXPECT_EQ(t.game.MapLight(51, 50), 0);
    EXPECT_EQ(t.game.MapLight(58, 50), 6);
    EXPECT_EQ(t.game.MapLight(45, 50), 5);
    modMap_Add_Light(t.game, 50, 50, std::numeric_limits<int16_t>::max());
    EXPECT_EQ(t.game.MapLight(100, 100), 0);
    EXPECT_EQ(boxCount(t), 0u);
}

// Before the user's creature exists both layers keep whatever they held.
TEST_F(Sight, noUserLeavesLayersUntouched) {
    t.game.MapLight(5, 5) = 3;
    t.game.MapVisible(5, 5) = true;
    modMap_Set_Light(t.game);
    modMap_Set_Visible(t.game, 30, 17);
    EXPECT_EQ(t.game.MapLight(5, 5), 3);
    EXPECT_EQ(t.game.MapLight(6, 6), 0);
    EXPECT_TRUE(t.game.MapVisible(5, 5));
    EXPECT_EQ(boxCount(t), 0u);
}

// Neighbours always see each other, and a wall at either end of a line does not hide itself.
TEST_F(Sight, endsOfLineAreNeverTested) {
    draw(t.game, 10, 10, {"XX...X", ".X"});
    EXPECT_TRUE(bothWays(10, 10, 10, 10));
    EXPECT_TRUE(bothWays(10, 10, 11, 10));
    EXPECT_TRUE(bothWays(10, 10, 11, 11));
    EXPECT_TRUE(bothWays(11, 10, 15, 10)) << "walls at both ends, open between";
    EXPECT_FALSE(bothWays(10, 10, 15, 10));
}

struct LineCase {
    const char* name;
    int32_t x1, y1, x2, y2;
    std::vector<std::pair<int32_t, int32_t>> blockers;
    std::vector<std::pair<int32_t, int32_t>> clear;
};

// The rasterised cells, with halves rounded to even on a single-precision slope, decide what blocks.
TEST_F(Sight, lineTestsExactlyItsRasterCells) {
    const LineCase cases[] = {
        {"shallow rising",
         10,
         10,
         14,
         12,
         {{11, 10}, {12, 11}, {13, 12}},
         {{11, 11}, {12, 10}, {13, 11}, {12, 12}}},
        {"steep", 10, 10, 12, 14, {{10, 11}, {11, 12}, {12, 13}}, {{11, 11}, {10, 12}, {12, 12}, {11, 13}}},
        {"falling", 10, 12, 14, 10, {{11, 12}, {12, 11}, {13, 10}}, {{11, 11}, {13, 11}, {12, 10}, {12, 12}}},
        {"vertical", 30, 10, 30, 15, {{30, 12}}, {{31, 12}, {29, 12}}},
        {"horizontal", 10, 30, 15, 30, {{13, 30}}, {{13, 31}}},
        // One sixth in single precision times three is exactly one half, which rounds down to even.
        {"single precision", 20, 20, 26, 21, {{23, 20}, {24, 21}}, {{23, 21}, {24, 20}}},
    };
    for (const auto& c : cases) {
        for (auto [x, y] : c.blockers) {
            TestGame one;
            prepareEmptyLevel(one);
            modItem_Add(one.game, ItemId::StoneWall, x, y);
            EXPECT_FALSE(modMap_Open_Sight_Line(one.game, c.x1, c.y1, c.x2, c.y2))
                << c.name << " " << x << "," << y;
            EXPECT_FALSE(modMap_Open_Sight_Line(one.game, c.x2, c.y2, c.x1, c.y1))
                << c.name << " " << x << "," << y;
        }
        for (auto [x, y] : c.clear) {
            TestGame one;
            prepareEmptyLevel(one);
            modItem_Add(one.game, ItemId::StoneWall, x, y);
            EXPECT_TRUE(modMap_Open_Sight_Line(one.game, c.x1, c.y1, c.x2, c.y2))
                << c.name << " " << x << "," << y;
            EXPECT_TRUE(modMap_Open_Sight_Line(one.game, c.x2, c.y2, c.x1, c.y1))
                << c.name << " " << x << "," << y;
        }
    }
}

// Sight is blocked by exactly what blocks movement: closed doors yes, open doors, gold and creatures no.
TEST_F(Sight, onlyMovementBlockersHideCells) {
    draw(t.game, 10, 10, {".D..", "", ".O.g"});
    modPlayer_Add(t.game, 1, 11, 14);
    EXPECT_FALSE(Is_Transparent(t.game, 11, 10));
    EXPECT_TRUE(Is_Transparent(t.game, 11, 12));
    EXPECT_TRUE(Is_Transparent(t.game, 13, 12));
    EXPECT_TRUE(Is_Transparent(t.game, 11, 14));
    EXPECT_FALSE(Is_Transparent(t.game, -1, 0));
    EXPECT_FALSE(Is_Transparent(t.game, 0, 101));
    EXPECT_FALSE(bothWays(10, 10, 12, 10));
    EXPECT_TRUE(bothWays(10, 12, 14, 12));
    EXPECT_TRUE(bothWays(11, 13, 11, 15));
}

// An item of a type the catalogue lacks ends the line with its box and a closed answer.
TEST_F(Sight, brokenItemOnLineFailsClosed) {
    modItem_Add(t.game, 99, 12, 10);
    EXPECT_FALSE(modMap_Open_Sight_Line(t.game, 10, 10, 14, 10));
    ASSERT_EQ(boxCount(t), 1u);
    EXPECT_EQ(boxText(t, 0), "Error_modMap_Open_Sight_Line : Subscript out of range");
}

// The user sees its room and the walls around it, and nothing behind those walls.
TEST_F(Sight, visibilityStopsAtWalls) {
    draw(t.game, 45, 45,
         {"XXXXXXXXXXX", "X.........X", "X.........X", "X.........X", "X.........X", "X.........X",
          "X.........X", "X.........X", "X.........X", "X.........X", "XXXXXXXXXXX"});
    userAt(50, 50);
    t.game.MapVisible(0, 0) = true;
    modMap_Set_Visible(t.game, 30, 17);
    for (int32_t x = 45; x <= 55; ++x)
        for (int32_t y = 45; y <= 55; ++y)
            EXPECT_TRUE(modMap_Is_Visible(t.game, x, y)) << x << "," << y;
    EXPECT_FALSE(modMap_Is_Visible(t.game, 57, 50));
    EXPECT_FALSE(modMap_Is_Visible(t.game, 50, 43));
    EXPECT_FALSE(modMap_Is_Visible(t.game, 0, 0)) << "the previous draw's cells are cleared";
    EXPECT_EQ(boxCount(t), 0u);
}

// An open cell at the edge of the range shows its neighbours one cell beyond it; a wall there shows only
// itself.
TEST_F(Sight, openEdgeCellShowsNeighboursBeyondRange) {
    userAt(50, 50);
    modMap_Set_Visible(t.game, 3, 2);
    EXPECT_TRUE(modMap_Is_Visible(t.game, 53, 52));
    EXPECT_TRUE(modMap_Is_Visible(t.game, 54, 53));
    EXPECT_TRUE(modMap_Is_Visible(t.game, 50, 53));
    EXPECT_FALSE(modMap_Is_Visible(t.game, 55, 50));
    EXPECT_FALSE(modMap_Is_Visible(t.game, 50, 54));

    draw(t.game, 53, 48, {"X", "X", "X", "X", "X"});
    modMap_Set_Visible(t.game, 3, 2);
    for (int32_t y = 48; y <= 52; ++y) {
        EXPECT_TRUE(modMap_Is_Visible(t.game, 53, y)) << "walls at the edge show";
        EXPECT_FALSE(modMap_Is_Visible(t.game, 54, y)) << "but lend nothing behind them";
    }
}

// A broken item in view fails the lines through it, then ends the pass at its own cell; cells marked before
// stay.
TEST_F(Sight, brokenItemInViewEndsPassKeepingEarlierCells) {
    modItem_Add(t.game, 99, 48, 50);
    userAt(50, 50);
    modMap_Set_Visible(t.game, 3, 2);
    ASSERT_EQ(boxCount(t), 2u);
    EXPECT_EQ(boxText(t, 0), "Error_modMap_Open_Sight_Line : Subscript out of range");
    EXPECT_EQ(boxText(t, 1), "Error_modMap_Set_Visible : Subscript out of range");
    EXPECT_TRUE(modMap_Is_Visible(t.game, 47, 48));
    EXPECT_TRUE(modMap_Is_Visible(t.game, 48, 50));
    EXPECT_FALSE(modMap_Is_Visible(t.game, 50, 50)) << "columns after the failure are not reached";
}

// The range is cut to the map: far wider covers it all, negative covers nothing, and neither fails.
TEST_F(Sight, rangeIsCutToMap) {
    userAt(0, 100);
    const int32_t huge = std::numeric_limits<int32_t>::max();
    modMap_Set_Visible(t.game, huge, huge);
    EXPECT_TRUE(modMap_Is_Visible(t.game, 100, 0));
    EXPECT_TRUE(modMap_Is_Visible(t.game, 0, 0));
    EXPECT_FALSE(modMap_Is_Visible(t.game, -1, 100));
    EXPECT_FALSE(modMap_Is_Visible(t.game, 0, 101));
    for (int32_t range : {-1, std::numeric_limits<int32_t>::min()}) {
        modMap_Set_Visible(t.game, 5, range);
        for (int32_t x = 0; x <= 100; ++x)
            for (int32_t y = 0; y <= 100; ++y)
                ASSERT_FALSE(t.game.MapVisible(x, y)) << range;
    }
    EXPECT_EQ(boxCount(t), 0u);
}

} // namespace
} // namespace gf::test
