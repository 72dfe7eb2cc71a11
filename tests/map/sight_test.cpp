// Light, the sight rules' edges and their failures; the sight lines and the
// visible area themselves are checked against the plain rules in the
// reference test.
#include "map/sight.h"

#include "creatures/creature_table.h"
#include "test_game.h"

#include "items/item_table.h"

#include <gtest/gtest.h>

#include <limits>

namespace gf::test {
namespace {

class Sight : public ::testing::Test {
protected:
    void SetUp() override { prepareEmptyLevel(t); }
    void userAt(int32_t x, int32_t y) { t.game.CurrentPlayer = modPlayer_Add(t.game, 0, x, y); }
    void expectLight(std::initializer_list<std::tuple<int32_t, int32_t, int16_t>> cells) {
        for (const auto& [x, y, light] : cells)
            EXPECT_EQ(t.game.MapLight(x, y), light) << x << "," << y;
    }

    TestGame t;
};

// The carried light fades one step per square ring to unlit at seven; a second source brightens where
// it overlaps, never past full light; near a corner the square is cut at the map's edge.
TEST_F(Sight, lightFallsOffInSquareRingsAndAdds) {
    userAt(50, 50);
    modMap_Set_Light(t.game);
    expectLight({{50, 50, 0}, {51, 49, 1}, {53, 48, 3}, {44, 44, 6}, {57, 50, 7}, {43, 43, 7}, {0, 0, 7}});
    modMap_Add_Light(t.game, 52, 50, 7);
    expectLight({{51, 50, 0}, {58, 50, 6}, {45, 50, 5}, {60, 50, 7}});
    modMap_Add_Light(t.game, 50, 50, std::numeric_limits<int16_t>::max());
    expectLight({{100, 100, 0}});

    modPlayer_Remove(t.game, t.game.CurrentPlayer);
    userAt(2, 2);
    modMap_Set_Light(t.game);
    expectLight({{0, 0, 2}, {8, 8, 6}, {9, 2, 7}, {100, 100, 7}});
    EXPECT_EQ(boxTexts(t).size(), 0u);
}

// Before the user's creature exists both layers keep whatever they held.
TEST_F(Sight, noUserLeavesLayersUntouched) {
    t.game.MapLight(5, 5) = 3;
    t.game.MapVisible(5, 5) = true;
    modMap_Set_Light(t.game);
    modMap_Set_Visible(t.game, 30, 17);
    expectLight({{5, 5, 3}, {6, 6, 0}});
    EXPECT_TRUE(t.game.MapVisible(5, 5));
    EXPECT_EQ(boxTexts(t).size(), 0u);
}

// Sight is blocked by exactly what blocks movement, and off the map nothing is transparent.
TEST_F(Sight, onlyMovementBlockersHideCells) {
    draw(t.game, 10, 10, {"XDOg"});
    modPlayer_Add(t.game, 1, 14, 10);
    for (const auto& [x, y, transparent] : {std::tuple{10, 10, false},
                                            {11, 10, false},
                                            {12, 10, true},
                                            {13, 10, true},
                                            {14, 10, true},
                                            {-1, 0, false},
                                            {0, 101, false}})
        EXPECT_EQ(Is_Transparent(t.game, x, y), transparent) << x << "," << y;
}

// One sixth in single precision times three is exactly one half, which rounds down to even.
TEST_F(Sight, halfCellOnASinglePrecisionSlopeRoundsToEven) {
    for (const auto& [x, y, blocks] :
         {std::tuple{23, 20, true}, {24, 21, true}, {23, 21, false}, {24, 20, false}}) {
        TestGame one;
        prepareEmptyLevel(one);
        modItem_Add(one.game, ItemId::StoneWall, x, y);
        EXPECT_EQ(modMap_Open_Sight_Line(one.game, 20, 20, 26, 21), !blocks) << x << "," << y;
        EXPECT_EQ(modMap_Open_Sight_Line(one.game, 26, 21, 20, 20), !blocks) << x << "," << y;
    }
}

// An item of a type the catalogue lacks ends the line with its box and a closed answer.
TEST_F(Sight, brokenItemOnLineFailsClosed) {
    modItem_Add(t.game, 99, 12, 10);
    EXPECT_FALSE(modMap_Open_Sight_Line(t.game, 10, 10, 14, 10));
    ASSERT_EQ(boxTexts(t).size(), 1u);
    EXPECT_EQ(boxTexts(t).at(0), "Error_modMap_Open_Sight_Line : Subscript out of range");
}

// A broken item in view fails the lines through it, then ends the pass at its own cell; cells marked
// before stay.
TEST_F(Sight, brokenItemInViewEndsPassKeepingEarlierCells) {
    modItem_Add(t.game, 99, 48, 50);
    userAt(50, 50);
    modMap_Set_Visible(t.game, 3, 2);
    ASSERT_EQ(boxTexts(t).size(), 2u);
    EXPECT_EQ(boxTexts(t).at(0), "Error_modMap_Open_Sight_Line : Subscript out of range");
    EXPECT_EQ(boxTexts(t).at(1), "Error_modMap_Set_Visible : Subscript out of range");
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
    EXPECT_FALSE(modMap_Is_Visible(t.game, -1, 100));
    EXPECT_FALSE(modMap_Is_Visible(t.game, 0, 101));
    for (int32_t range : {-1, std::numeric_limits<int32_t>::min()}) {
        modMap_Set_Visible(t.game, 5, range);
        for (int32_t x = 0; x <= 100; ++x)
            for (int32_t y = 0; y <= 100; ++y)
                ASSERT_FALSE(t.game.MapVisible(x, y)) << range;
    }
    EXPECT_EQ(boxTexts(t).size(), 0u);
}

} // namespace
} // namespace gf::test
