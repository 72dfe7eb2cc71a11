#include "map/walls.h"

#include "map_test_support.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

struct Expect {
    int32_t x, y;
    int16_t id;
};

struct JoinCase {
    const char* name;
    int32_t x0, y0;
    std::vector<std::string> art;
    std::vector<Expect> expected;
};

// Every wall pattern must draw as one continuous wall; the table covers each row of the joining rules.
TEST(Walls, piecesJoinTheirNeighbours) {
    const JoinCase cases[] = {
        {"lone wall", 20, 20, {"X"}, {{20, 20, 1}}},
        {"east-west run", 20, 20, {"XXXX"}, {{20, 20, 15}, {21, 20, 3}, {22, 20, 3}, {23, 20, 16}}},
        {"north-south run", 20, 20, {"X", "X", "X"}, {{20, 20, 13}, {20, 21, 5}, {20, 22, 14}}},
        {"square",
         20,
         20,
         {"XXX", "X.X", "XXX"},
         {{20, 20, 2},
          {22, 20, 4},
          {20, 22, 6},
          {22, 22, 7},
          {21, 20, 3},
          {20, 21, 5},
          {22, 21, 5},
          {21, 22, 3}}},
        {"plus",
         20,
         20,
         {".X.", "XXX", ".X."},
         {{21, 21, 8}, {21, 20, 13}, {21, 22, 14}, {20, 21, 15}, {22, 21, 16}}},
        {"north-east-west reuses the straight piece", 20, 20, {".X.", "XXX"}, {{21, 21, 3}}},
        {"east-south-west", 20, 20, {"XXX", ".X."}, {{21, 20, 8}}},
        {"north-east-south", 20, 20, {"X.", "XX", "X."}, {{20, 21, 10}}},
        {"north-south-west", 20, 20, {".X", "XX", ".X"}, {{21, 21, 11}}},
        {"door in a row", 20, 20, {"XDX"}, {{21, 20, 17}, {20, 20, 15}, {22, 20, 16}}},
        {"door in a column", 20, 20, {"X", "D", "X"}, {{20, 21, 19}}},
        {"door walled on three sides", 20, 20, {"X.", "DX", "X."}, {{20, 21, 17}}},
        {"open door in a row closes", 20, 20, {"XOX"}, {{21, 20, 17}}},
        {"open door in a column closes", 20, 20, {"X", "O", "X"}, {{20, 21, 19}}},
        {"lone open door stays open", 20, 20, {"O"}, {{20, 20, 18}}},
        {"gold is no wall", 20, 20, {"Xg"}, {{20, 20, 1}}},
        {"west border", 0, 4, {"X", "X", "X"}, {{0, 5, 5}, {0, 4, 13}}},
        {"south-east corner", 99, 99, {".X", "XX"}, {{100, 100, 7}, {100, 99, 13}, {99, 100, 15}}},
    };
    for (const auto& c : cases) {
        TestGame t;
        prepareEmptyLevel(t);
        draw(t.game, c.x0, c.y0, c.art);
        modMap_Fix_Walls(t.game);
        for (const auto& e : c.expected)
            EXPECT_EQ(idAt(t.game, e.x, e.y), e.id) << c.name << " at " << e.x << "," << e.y;
        EXPECT_EQ(boxCount(t), 0u) << c.name;
    }
}

// Doors count as walls for their neighbours, and cells off the map never do.
TEST(Walls, stoneWallCoversWallsAndDoorsOnMapOnly) {
    TestGame t;
    prepareEmptyLevel(t);
    const int16_t ids[] = {1, 9, 16, 17, 20, 21, 24};
    for (int32_t i = 0; i < 7; ++i)
        modItem_Add(t.game, ids[i], 10 + i, 10);
    const bool wall[] = {true, true, true, true, true, false, false};
    for (int32_t i = 0; i < 7; ++i)
        EXPECT_EQ(Is_Stone_Wall(t.game, 10 + i, 10), wall[i]) << ids[i];
    EXPECT_FALSE(Is_Stone_Wall(t.game, 10, 11));
    EXPECT_FALSE(Is_Stone_Wall(t.game, -1, 0));
    EXPECT_FALSE(Is_Stone_Wall(t.game, 0, 101));
    EXPECT_EQ(boxCount(t), 0u);
}

// A cell naming a missing item shows its box and stays as it is; the rest of the pass still runs.
TEST(Walls, brokenCellIsSkippedAndPassGoesOn) {
    TestGame t;
    prepareEmptyLevel(t);
    draw(t.game, 31, 30, {"X"});
    draw(t.game, 60, 60, {"XXX"});
    t.game.MapItem(30, 30) = 5000;
    modMap_Fix_Walls(t.game);
    ASSERT_GE(boxCount(t), 1u);
    for (const auto& box : t.io.log.of("msgbox"))
        EXPECT_EQ(box["text"], "Error_Is_Stone_Wall : Subscript out of range");
    EXPECT_EQ(idAt(t.game, 31, 30), 1);
    EXPECT_EQ(idAt(t.game, 61, 60), 3);
}

} // namespace
} // namespace gf::test
