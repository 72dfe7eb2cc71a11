#include "map/directions.h"

#include "test_game.h"

#include <gtest/gtest.h>

#include <limits>

namespace gf::test {
namespace {

using Step = std::pair<int32_t, int32_t>;

// The cell a direction faces from (50, 50), as an offset.
Step step(Game& g, int16_t d) {
    int32_t x = 50, y = 50;
    EXPECT_TRUE(modMap_Get_Facing_XY(g, d, x, y));
    return {x - 50, y - 50};
}

// Monster headings, turns, opposites and retried steps must agree on the keypad directions.
TEST(Directions, stepsTurnsOppositesAndRetriesAgree) {
    TestGame t;
    Game& g = t.game;
    EXPECT_EQ(std::tuple(step(g, 8), step(g, 3), step(g, 4)),
              std::tuple(Step{0, -1}, Step{1, 1}, Step{-1, 0}));
    for (int16_t d = 1; d <= 9; ++d) {
        if (d == 5) continue;
        const auto [dx, dy] = step(g, d);
        EXPECT_EQ(modMap_Direction(g, 10, 10, 10 + dx * 37, 10 + dy * 3), d);
        EXPECT_EQ(step(g, modMap_Opposite_Direction(g, d)), (Step{-dx, -dy})) << d;
        const int16_t clockwise = modMap_Quarter_Direction(g, d, 1);
        EXPECT_EQ(step(g, clockwise), (Step{-dy, dx})) << d;
        for (const int16_t back : {0, 2, -7})
            EXPECT_EQ(modMap_Quarter_Direction(g, clockwise, back), d) << d;
        t.io.random.queue(0.5001f);
        t.io.random.queue(0.5f);
        const int16_t above = modMap_AltDirection(g, d), atOrBelow = modMap_AltDirection(g, d);
        EXPECT_NE(above, atOrBelow) << d;
        for (const int16_t alt : {above, atOrBelow}) {
            const auto [ax, ay] = step(g, alt);
            EXPECT_EQ(std::abs(ax - dx) + std::abs(ay - dy), 1) << d << " retries " << alt;
            EXPECT_NE(alt, 5) << d;
        }
    }
    EXPECT_EQ(modMap_Direction(g, 10, 10, 10, 10), 5);
    // No direction has no turn, opposite or retry, and asking must not use up another caller's draw.
    t.io.random.queue(0.25f);
    for (const int16_t d : {0, 5, 10, -3}) {
        EXPECT_EQ(std::tuple(modMap_Quarter_Direction(g, d, 1), modMap_Quarter_Direction(g, d, 2),
                             modMap_Opposite_Direction(g, d), modMap_AltDirection(g, d)),
                  std::tuple(0, 0, 0, 0))
            << d;
        EXPECT_EQ(step(g, d), (Step{0, 0})) << d;
    }
    EXPECT_EQ(g.draw(), 0.25f);
    EXPECT_EQ(boxTexts(t), std::vector<std::string>{});
}

// Distances are king's moves; steps may leave the map; fields past 16 or 32 bits fail with a box.
TEST(Directions, distancesAndStepsAtTheEdges) {
    TestGame t;
    Game& g = t.game;
    EXPECT_EQ((std::vector<int16_t>{modMap_Dist(g, 4, 4, 4, 4), modMap_Dist(g, 0, 0, 3, 7),
                                    modMap_Dist(g, 5, 5, 2, 8), modMap_Dist(g, 100, 0, 0, 100),
                                    modMap_Dist(g, 0, 0, 32767, 0), modMap_Dist(g, 0, 0, 0, 32768)}),
              (std::vector<int16_t>{0, 7, 3, 100, 32767, 0}));
    const int32_t most = std::numeric_limits<int32_t>::max();
    for (const auto& [d, x, y, inMap, toX, toY] : {std::tuple{7, 0, 0, false, -1, -1},
                                                   {3, 99, 99, true, 100, 100},
                                                   {9, 100, 0, false, 101, -1},
                                                   {5, 101, 4, false, 101, 4},
                                                   {6, most, 0, false, most, 0}}) {
        int32_t sx = x, sy = y;
        EXPECT_EQ(modMap_Get_Facing_XY(g, static_cast<int16_t>(d), sx, sy), inMap) << d;
        EXPECT_EQ((Step{sx, sy}), (Step{toX, toY})) << d;
    }
    EXPECT_EQ(boxTexts(t), (std::vector<std::string>{"Error_modMap_Dist : Overflow",
                                                     "Error_modMap_Get_Facing_XY : Overflow"}));
}

} // namespace
} // namespace gf::test
