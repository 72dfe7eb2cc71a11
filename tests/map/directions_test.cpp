#include "map/directions.h"

#include "test_game.h"

#include <gtest/gtest.h>

#include <limits>

namespace gf::test {
namespace {

struct Points {
    int32_t x1, y1, x2, y2;
    int16_t expected;
};

// Monsters compare this against their ranges; diagonals must count as one step.
TEST(Directions, distanceIsKingsMove) {
    TestGame t;
    const Points cases[] = {
        {4, 4, 4, 4, 0}, {0, 0, 3, 7, 7}, {5, 5, 2, 8, 3}, {100, 0, 0, 100, 100}, {7, 3, 0, 3, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(modMap_Dist(t.game, c.x1, c.y1, c.x2, c.y2), c.expected) << c.x1 << "," << c.y1;
    EXPECT_EQ(boxTexts(t).size(), 0u);
}

// Monsters head along the signs of the differences, never weighing their sizes.
TEST(Directions, directionFollowsSignsOnly) {
    TestGame t;
    const Points cases[] = {{10, 10, 10, 10, 5}, {10, 10, 20, 9, 9}, {10, 10, 9, 10, 4},
                            {10, 10, 10, 50, 2}, {10, 10, 0, 0, 7},  {10, 10, 10, 0, 8},
                            {10, 10, 11, 10, 6}, {10, 10, 0, 99, 1}, {10, 10, 90, 11, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(modMap_Direction(t.game, c.x1, c.y1, c.x2, c.y2), c.expected) << c.x2 << "," << c.y2;
}

// A refused monster step retries 45 degrees to one side; the draw decides which, strictly above one half.
TEST(Directions, altDirectionTakesNeighbourByStrictHalf) {
    TestGame t;
    const int16_t above[] = {0, 2, 1, 2, 1, 0, 3, 4, 7, 6};
    const int16_t atOrBelow[] = {0, 4, 3, 6, 7, 0, 9, 8, 9, 8};
    for (int16_t d = 1; d <= 9; ++d) {
        if (d == 5) continue;
        t.io.random.queue(0.5001f);
        t.io.random.queue(0.5f);
        EXPECT_EQ(modMap_AltDirection(t.game, d), above[d]) << d;
        EXPECT_EQ(modMap_AltDirection(t.game, d), atOrBelow[d]) << d;
    }
}

// No direction has no neighbours, and asking must not use up a draw another caller expects.
TEST(Directions, altDirectionOfNonStepIsZeroWithoutDraw) {
    TestGame t;
    t.io.random.queue(0.25f);
    for (int16_t d : {0, 5, 10, -1})
        EXPECT_EQ(modMap_AltDirection(t.game, d), 0) << d;
    EXPECT_EQ(t.game.draw(), 0.25f);
}

// Backing away and side steps turn the facing; the tables are as seen on the view, north up.
TEST(Directions, turnsMatchTheView) {
    TestGame t;
    const int16_t clockwise[] = {0, 7, 4, 1, 8, 0, 2, 9, 6, 3};
    const int16_t counter[] = {0, 3, 6, 9, 2, 0, 8, 1, 4, 7};
    for (int16_t d = 1; d <= 9; ++d) {
        if (d == 5) continue;
        EXPECT_EQ(modMap_Quarter_Direction(t.game, d, 1), clockwise[d]) << d;
        EXPECT_EQ(modMap_Quarter_Direction(t.game, d, 2), counter[d]) << d;
        EXPECT_EQ(modMap_Quarter_Direction(t.game, d, -7), counter[d]) << d;
        int16_t turned = d;
        for (int i = 0; i < 4; ++i)
            turned = modMap_Quarter_Direction(t.game, turned, 1);
        EXPECT_EQ(turned, d);
        EXPECT_EQ(modMap_Quarter_Direction(t.game, modMap_Quarter_Direction(t.game, d, 1), 0), d);
        EXPECT_EQ(modMap_Opposite_Direction(t.game, d), 10 - d);
    }
    for (int16_t d : {0, 5, 10, -3}) {
        EXPECT_EQ(modMap_Quarter_Direction(t.game, d, 1), 0);
        EXPECT_EQ(modMap_Quarter_Direction(t.game, d, 2), 0);
        EXPECT_EQ(modMap_Opposite_Direction(t.game, d), 0);
    }
}

// Callers pass copies because the step is made even when it leaves the map.
TEST(Directions, facingStepMovesInPlaceEvenOffMap) {
    TestGame t;
    int32_t x = 0, y = 0;
    EXPECT_FALSE(modMap_Get_Facing_XY(t.game, 7, x, y));
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);

    x = 50, y = 50;
    EXPECT_TRUE(modMap_Get_Facing_XY(t.game, 3, x, y));
    EXPECT_EQ(x, 51);
    EXPECT_EQ(y, 51);

    for (int16_t d : {5, 0, 12}) {
        x = 100, y = 100;
        EXPECT_TRUE(modMap_Get_Facing_XY(t.game, d, x, y));
        EXPECT_EQ(x, 100);
        EXPECT_EQ(y, 100);
    }
    x = 101, y = 4;
    EXPECT_FALSE(modMap_Get_Facing_XY(t.game, 5, x, y));
}

// Fields never wrap: a distance past 16 bits or a step past the 32-bit limit is a failure with its box.
TEST(Directions, overflowFailsWithBoxInsteadOfWrapping) {
    TestGame t;
    EXPECT_EQ(modMap_Dist(t.game, 0, 0, 40000, 0), 0);
    int32_t x = std::numeric_limits<int32_t>::max(), y = 0;
    EXPECT_FALSE(modMap_Get_Facing_XY(t.game, 6, x, y));
    EXPECT_EQ(x, std::numeric_limits<int32_t>::max());
    ASSERT_EQ(boxTexts(t).size(), 2u);
    EXPECT_EQ(boxTexts(t).at(0), "Error_modMap_Dist : Overflow");
    EXPECT_EQ(boxTexts(t).at(1), "Error_modMap_Get_Facing_XY : Overflow");
}

} // namespace
} // namespace gf::test
