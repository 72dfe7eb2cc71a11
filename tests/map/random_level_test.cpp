#include "map/random_level.h"

#include "test_game.h"

#include "items/item_table.h"
#include "shell/version.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

constexpr int kDraws = 3 + 99 * 5;

// The draws of one generation, in the order the rooms consume them: three
// openings for every room, then monsters and item for all but the first.
class Draws {
public:
    explicit Draws(float fill) : values_(kDraws, fill) {}

    Draws& openings(int32_t x0, int32_t y0, float west, float north, float south) {
        const std::size_t at = first(x0, y0);
        values_[at] = west;
        values_[at + 1] = north;
        values_[at + 2] = south;
        return *this;
    }
    Draws& contents(int32_t x0, int32_t y0, float monsters, float item) {
        const std::size_t at = first(x0, y0) + 3;
        values_[at] = monsters;
        values_[at + 1] = item;
        return *this;
    }
    void queue(TestGame& t) const {
        for (float r : values_)
            t.io.random.queue(r);
    }

private:
    static std::size_t first(int32_t x0, int32_t y0) {
        const int room = (x0 / 10) * 10 + y0 / 10;
        return room == 0 ? 0 : static_cast<std::size_t>(3 + (room - 1) * 5);
    }
    std::vector<float> values_;
};

class RandomLevel : public ::testing::Test {
protected:
    void SetUp() override { prepareEmptyLevel(t); }

    void generate(const Draws& draws) {
        draws.queue(t);
        t.io.log.events.clear();
        modMap_Create_Random(t.game);
        // Every queued draw was used, and no more.
        t.io.random.queue(-1.0f);
        EXPECT_EQ(t.game.draw(), -1.0f);
    }

    int16_t monsterAt(int32_t x, int32_t y) {
        const int32_t i = t.game.MapPlayer(x, y);
        return i == 0 ? 0 : t.game.player(i).MonsterType;
    }

    TestGame t;
};

// With every draw low there are no openings: a wall on every tenth line, about 2,100 in all.
TEST_F(RandomLevel, closedGridHasWallOnEveryTenthLine) {
    generate(Draws(0.0f));
    int walls = 0;
    for (int32_t x = 0; x <= 100; ++x)
        for (int32_t y = 0; y <= 100; ++y) {
            const int16_t id = idAt(t.game, x, y);
            const bool wallLine = x % 10 == 0 || y % 10 == 0;
            EXPECT_EQ(id >= 1 && id <= 16, wallLine) << x << "," << y;
            walls += wallLine ? 1 : 0;
        }
    EXPECT_EQ(walls, 2101);
    EXPECT_GT(t.game.Items.ubound(), 2101);
    EXPECT_EQ(std::tuple(t.game.MapName, t.game.StartX, t.game.StartY), std::tuple("Random", 2, 2));
    EXPECT_TRUE(t.game.Caption.ends_with(")  : Random")) << t.game.Caption;
    EXPECT_EQ(boxTexts(t).size(), 0u);
}

// The start room never gets monsters or an item, whatever the draws.
TEST_F(RandomLevel, startRoomStaysEmpty) {
    generate(Draws(0.0f));
    for (int32_t x = 1; x <= 9; ++x)
        for (int32_t y = 1; y <= 9; ++y) {
            EXPECT_EQ(t.game.MapPlayer(x, y), 0);
            EXPECT_EQ(t.game.MapItem(x, y), 0);
        }
    EXPECT_EQ(monsterAt(15, 5), 1) << "the next room is filled";
    EXPECT_EQ(idAt(t.game, 15, 5), ItemId::SmallGold);
}

// Each opening is cut by its own draw, strictly above one half; crossings of wall lines are never opened.
TEST_F(RandomLevel, openingsFollowTheirDraws) {
    generate(Draws(0.0f).openings(10, 10, 0.51f, 0.5f, 0.0f).openings(10, 0, 0.0f, 0.0f, 0.75f));
    EXPECT_EQ(t.game.MapItem(10, 15), 0) << "west opening of room (10, 10)";
    EXPECT_EQ(t.game.MapItem(15, 10), 0) << "south opening of room (10, 0)";
    EXPECT_NE(t.game.MapItem(16, 10), 0) << "a south opening is one cell wide";
    EXPECT_NE(t.game.MapItem(20, 15), 0);
    EXPECT_EQ(idAt(t.game, 10, 14), 14) << "the wall above an opening ends there";
    EXPECT_EQ(idAt(t.game, 10, 16), 13);

    TestGame open;
    prepareEmptyLevel(open);
    Draws(0.9f).queue(open);
    modMap_Create_Random(open.game);
    EXPECT_EQ(idAt(open.game, 50, 50), 8);
    EXPECT_EQ(open.game.MapItem(16, 10), 0) << "a north opening is two cells wide";
}

struct RoomContents {
    float monsters;
    int16_t type;
    std::vector<std::pair<int32_t, int32_t>> cells;
};

// The monster draw picks the group by whole percent; boundaries decide type and size.
TEST_F(RandomLevel, monsterGroupsFollowTheDraw) {
    const RoomContents cases[] = {
        {0.255f, 1, {{5, 5}, {6, 5}}},
        {0.265f, 2, {{5, 5}, {6, 5}}},
        {0.705f, 1, {{5, 5}, {6, 5}, {5, 6}, {6, 6}}},
        {0.905f, 2, {{5, 5}, {6, 5}, {5, 6}, {6, 6}}},
        {0.955f, 1, {{5, 5}, {6, 5}, {5, 6}, {6, 6}, {4, 5}, {5, 4}}},
        {0.995f, 2, {{5, 5}, {6, 5}, {5, 6}, {6, 6}, {5, 4}, {4, 5}}},
    };
    for (const auto& c : cases) {
        TestGame one;
        prepareEmptyLevel(one);
        Draws(0.0f).contents(40, 30, c.monsters, 0.99f).queue(one);
        modMap_Create_Random(one.game);
        int count = 0;
        int32_t previous = 0;
        for (auto [dx, dy] : c.cells) {
            const int32_t i = one.game.MapPlayer(40 + dx, 30 + dy);
            ASSERT_NE(i, 0) << c.monsters;
            EXPECT_EQ(one.game.player(i).MonsterType, c.type) << c.monsters;
            EXPECT_GT(i, previous) << "placed in the listed order";
            previous = i;
            ++count;
        }
        for (int32_t x = 41; x <= 49; ++x)
            for (int32_t y = 31; y <= 39; ++y)
                count -= one.game.MapPlayer(x, y) != 0 ? 1 : 0;
        EXPECT_EQ(count, 0) << "no monster outside the group's cells";
    }
}

// The item draw picks gold, one of the rarer items 27 to 34, or nothing at the room's centre.
TEST_F(RandomLevel, roomItemFollowsTheDraw) {
    const std::pair<float, int16_t> cases[] = {{0.205f, 24}, {0.215f, 25}, {0.355f, 25}, {0.365f, 27},
                                               {0.405f, 31}, {0.435f, 34}, {0.445f, 0},  {0.999f, 0}};
    for (auto [draw, id] : cases) {
        TestGame one;
        prepareEmptyLevel(one);
        Draws(0.0f).contents(70, 80, 0.0f, draw).queue(one);
        modMap_Create_Random(one.game);
        EXPECT_EQ(idAt(one.game, 75, 85), id) << draw;
        EXPECT_NE(one.game.MapPlayer(75, 85), 0) << "the item lies under the first monster";
    }
}

} // namespace
} // namespace gf::test
