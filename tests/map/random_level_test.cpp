#include "map/random_level.h"

#include "items/item_table.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace gf::test {
namespace {

// The draws of one generation in the order rooms take them: three openings each, then contents.
class Draws {
public:
    explicit Draws(float fill) : values_(3 + 99 * 5, fill) {}

    Draws& set(int32_t x0, int32_t y0, std::initializer_list<float> openings, float monsters, float item) {
        const int room = (x0 / 10) * 10 + y0 / 10;
        const std::size_t at = room == 0 ? 0 : static_cast<std::size_t>(3 + (room - 1) * 5);
        std::copy(openings.begin(), openings.end(), values_.begin() + static_cast<std::ptrdiff_t>(at));
        values_[at + 3] = monsters;
        values_[at + 4] = item;
        return *this;
    }
    // Generates a level and checks every queued draw was used, and no more.
    void generate(TestGame& t) const {
        for (float r : values_)
            t.io.random.queue(r);
        modMap_Create_Random(t.game);
        t.io.random.queue(-1.0f);
        EXPECT_EQ(t.game.draw(), -1.0f);
    }

private:
    std::vector<float> values_;
};

// Each opening, monster group and item follows its own draw, and each boundary decides.
TEST(RandomLevel, openingsAndRoomContentsFollowTheDraws) {
    struct Room {
        float monsters, item;
        int16_t type;
        std::string cells;
        int16_t id;
    };
    const std::string two = "55 65", four = two + " 56 66", westFirst = four + " 45 54",
                      northFirst = four + " 54 45";
    const Room rooms[] = {{0.255f, 0.205f, 1, two, 24},     {0.265f, 0.215f, 2, two, 25},
                          {0.505f, 0.355f, 2, two, 25},     {0.515f, 0.365f, 1, four, 27},
                          {0.705f, 0.405f, 1, four, 31},    {0.715f, 0.435f, 2, four, 34},
                          {0.905f, 0.445f, 2, four, 0},     {0.915f, 0.999f, 1, westFirst, 0},
                          {0.955f, 0.0f, 1, westFirst, 24}, {0.965f, 0.0f, 2, northFirst, 24},
                          {0.995f, 0.0f, 2, northFirst, 24}};
    const auto corner = [](std::size_t i) {
        return std::pair<int32_t, int32_t>(10 + 10 * (i % 9), 50 + 10 * (i / 9));
    };
    Draws draws(0.0f);
    draws.set(10, 10, {0.51f, 0.5f, 0.75f}, 0.0f, 0.0f).set(20, 20, {0.0f, 0.9f, 0.0f}, 0.0f, 0.0f);
    for (std::size_t i = 0; i < std::size(rooms); ++i)
        draws.set(corner(i).first, corner(i).second, {0.0f, 0.0f, 0.0f}, rooms[i].monsters, rooms[i].item);
    TestGame t;
    prepareEmptyLevel(t);
    draws.generate(t);
    const std::set<std::pair<int32_t, int32_t>> openings{{10, 15}, {15, 20}, {25, 20}, {26, 20}};
    int wrong = 0;
    for (int32_t x = 0; x <= 100; ++x)
        for (int32_t y = 0; y <= 100; ++y) {
            const bool wall = (x % 10 == 0 || y % 10 == 0) && !openings.contains({x, y});
            const int16_t id = idAt(t.game, x, y);
            wrong += (id >= 1 && id <= 16) != wall ||
                     (x < 10 && y < 10 && !wall && (id || t.game.MapPlayer(x, y)));
        }
    EXPECT_EQ(std::tuple(wrong, t.game.StartX, t.game.StartY), std::tuple(0, 2, 2));
    EXPECT_EQ(boxTexts(t), std::vector<std::string>{});
    for (std::size_t i = 0; i < std::size(rooms); ++i) {
        const auto [x0, y0] = corner(i);
        std::map<int32_t, std::string> placed;
        for (int32_t x = 1; x <= 9; ++x)
            for (int32_t y = 1; y <= 9; ++y)
                if (const int32_t p = t.game.MapPlayer(x0 + x, y0 + y)) {
                    placed[p] = std::to_string(x) + std::to_string(y);
                    EXPECT_EQ(t.game.player(p).MonsterType, rooms[i].type) << rooms[i].monsters;
                }
        std::string cells;
        for (const auto& [p, cell] : placed)
            cells += (cells.empty() ? "" : " ") + cell;
        EXPECT_EQ(cells, rooms[i].cells) << rooms[i].monsters;
        EXPECT_EQ(idAt(t.game, x0 + 5, y0 + 5), rooms[i].id) << rooms[i].item;
    }
}

} // namespace
} // namespace gf::test
