#include "map/walls.h"

#include "test_game.h"

#include "items/item_table.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

struct JoinCase {
    const char* name;
    int32_t x0, y0;
    std::vector<std::string> art;
    std::vector<std::vector<int16_t>> pieces; // what each cell of the drawing holds afterwards
};

// Every wall pattern must draw as one continuous wall; the table covers each row of the joining rules.
TEST(Walls, piecesJoinTheirNeighbours) {
    const JoinCase cases[] = {
        {"lone wall", 20, 20, {"X"}, {{1}}},
        {"east-west run", 20, 20, {"XXXX"}, {{15, 3, 3, 16}}},
        {"north-south run", 20, 20, {"X", "X", "X"}, {{13}, {5}, {14}}},
        {"square", 20, 20, {"XXX", "X.X", "XXX"}, {{2, 3, 4}, {5, 0, 5}, {6, 3, 7}}},
        {"plus", 20, 20, {".X.", "XXX", ".X."}, {{0, 13, 0}, {15, 8, 16}, {0, 14, 0}}},
        {"north-east-west reuses the straight piece", 20, 20, {".X.", "XXX"}, {{0, 13, 0}, {15, 3, 16}}},
        {"east-south-west", 20, 20, {"XXX", ".X."}, {{15, 8, 16}, {0, 14, 0}}},
        {"north-east-south", 20, 20, {"X.", "XX", "X."}, {{13, 0}, {10, 16}, {14, 0}}},
        {"north-south-west", 20, 20, {".X", "XX", ".X"}, {{0, 13}, {15, 11}, {0, 14}}},
        {"door in a row", 20, 20, {"XDX"}, {{15, 17, 16}}},
        {"door in a column", 20, 20, {"X", "D", "X"}, {{13}, {19}, {14}}},
        {"door walled on three sides", 20, 20, {"X.", "DX", "X."}, {{13, 0}, {17, 16}, {14, 0}}},
        {"open door in a row closes", 20, 20, {"XOX"}, {{15, 17, 16}}},
        {"open door in a column closes", 20, 20, {"X", "O", "X"}, {{13}, {19}, {14}}},
        {"lone open door stays open", 20, 20, {"O"}, {{18}}},
        {"gold is no wall", 20, 20, {"Xg"}, {{1, ItemId::SmallGold}}},
        {"west border", 0, 4, {"X", "X", "X"}, {{13}, {5}, {14}}},
        {"south-east corner", 99, 99, {".X", "XX"}, {{0, 13}, {15, 7}}},
    };
    for (const auto& c : cases) {
        TestGame t;
        prepareEmptyLevel(t);
        draw(t.game, c.x0, c.y0, c.art);
        modMap_Fix_Walls(t.game);
        for (std::size_t row = 0; row < c.pieces.size(); ++row)
            for (std::size_t col = 0; col < c.pieces[row].size(); ++col) {
                const int32_t x = c.x0 + static_cast<int32_t>(col), y = c.y0 + static_cast<int32_t>(row);
                EXPECT_EQ(idAt(t.game, x, y), c.pieces[row][col]) << c.name << " at " << x << "," << y;
            }
        EXPECT_EQ(boxTexts(t).size(), 0u) << c.name;
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
    EXPECT_EQ(boxTexts(t).size(), 0u);
}

// A cell naming a missing item shows its box and stays as it is; the rest of the pass still runs.
TEST(Walls, brokenCellIsSkippedAndPassGoesOn) {
    TestGame t;
    prepareEmptyLevel(t);
    draw(t.game, 31, 30, {"X"});
    draw(t.game, 60, 60, {"XXX"});
    t.game.MapItem(30, 30) = 5000;
    modMap_Fix_Walls(t.game);
    ASSERT_GE(boxTexts(t).size(), 1u);
    for (const auto& box : t.io.log.of("msgbox"))
        EXPECT_EQ(box["text"], "Error_Is_Stone_Wall : Subscript out of range");
    EXPECT_EQ(idAt(t.game, 31, 30), 1);
    EXPECT_EQ(idAt(t.game, 61, 60), 3);
}

} // namespace
} // namespace gf::test
