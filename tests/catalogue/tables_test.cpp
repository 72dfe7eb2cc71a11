// The item and creature tables: which entry a new item or creature takes, how the tables grow, and how
// the user's creature is set up.
#include "creatures/creature_table.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "shell/text.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <tuple>

namespace gf::test {
namespace {

struct Level {
    TestGame t;
    Game& g = t.game;
    Level() { prepareEmptyLevel(t); }
    // Fills cells with items row by row from (0, 0).
    void fill(int count) {
        for (int k = 0; k < count; ++k)
            ASSERT_EQ(modItem_Add(g, 1, k % 101, k / 101), k + 1);
    }
    template <class T> static std::vector<int32_t> inUse(const Table<T>& table, bool T::*used) {
        std::vector<int32_t> out;
        for (int32_t i = 1; i <= table.ubound(); ++i)
            if (table(i).*used) out.push_back(i);
        return out;
    }
    std::vector<int32_t> items() { return inUse(g.Items, &Item::InUse); }
    std::vector<int32_t> creatures() { return inUse(g.Players, &Player::Active); }
};

// One item a cell; the lowest free entry is reused, and a stale delete leaves another item's cell alone.
TEST(ItemTable, addTakesLowestFreeEntryAndDeleteFreesIt) {
    Level l;
    l.fill(6);
    for (const auto& [x, y] : {std::pair{4, 0}, {-1, 5}, {4, 101}, {101, 0}})
        EXPECT_EQ(modItem_Add(l.g, 27, x, y), 0) << x << "," << y;
    EXPECT_EQ(modItem_Add(l.g, 26, 100, 100), 7);
    EXPECT_EQ(l.g.Items(7), (Item{true, 26, 100, 100, 0}));
    for (const int32_t index : {0, 5, 2, 2})
        modItem_Delete(l.g, index);
    EXPECT_EQ(l.g.Items(2), Item{});
    EXPECT_EQ(std::tuple(l.g.MapItem(0, 0), l.g.MapItem(1, 0), l.g.MapItem(2, 0), l.g.MapItem(4, 0)),
              std::tuple(1, 0, 3, 0));
    EXPECT_EQ(l.items(), (std::vector<int32_t>{1, 3, 4, 6, 7}));
    for (const auto& [y, entry] : {std::pair{9, 2}, {10, 5}, {11, 8}})
        EXPECT_EQ(modItem_Add(l.g, 1, 9, y), entry) << y;
    modItem_Delete(l.g, 3000);
    EXPECT_EQ(boxTexts(l.t), std::vector<std::string>{"Error_modItem_Delete : Subscript out of range"});
}

// The growth rule: 1000 in use grows to 2000 and gives 1991; later additions take 1001 first.
TEST(ItemTable, fullTableGrowsByAThousandAndTakesUpperMinusNine) {
    Level l;
    l.fill(1000);
    for (const auto& [x, entry] : {std::pair{50, 1991}, {51, 1001}, {52, 1002}})
        EXPECT_EQ(modItem_Add(l.g, 1, x, 50), entry) << x;
    EXPECT_EQ(std::pair(l.g.Items.ubound(), l.items().size()), std::pair(2000, std::size_t{1003}));
}

// Lowest free entry first, growing by ten when full; a refused add leaves no half-made entry.
TEST(CreatureTable, lowestFreeEntryIsTakenAndFullTableGrowsByTen) {
    Level l;
    for (int i = 1; i <= 20; ++i)
        ASSERT_EQ(modPlayer_Add(l.g, 1, i, 0), i);
    EXPECT_EQ(
        std::tuple(modPlayer_Add(l.g, 2, 1, 0), modPlayer_Add(l.g, 2, 101, 5), modPlayer_Add(l.g, 3, 6, 6)),
        std::tuple(0, 0, 0));
    EXPECT_EQ(std::tuple(l.g.MapPlayer(1, 0), l.g.MapPlayer(6, 6), l.g.Players.ubound()),
              std::tuple(1, 0, 20));
    EXPECT_EQ(modPlayer_Add(l.g, 2, 0, 5), 21);
    EXPECT_EQ(l.g.Players.ubound(), 30);
    modPlayer_Remove(l.g, 3);
    EXPECT_EQ(l.g.MapPlayer(3, 0), 0);
    EXPECT_EQ(modPlayer_Add(l.g, 2, 3, 1), 3);
    const Player& p = l.g.Players(3);
    EXPECT_EQ(std::tuple(p.Name, p.Active, p.MonsterType, p.Level, p.Image, p.Life, p.MaxLife, p.Stamina,
                         p.MaxStamina, p.SightRange, p.Facing, p.HomeX, p.HomeY, p.NextLevelXP,
                         p.skill(1).Known, p.skill(1).Value),
              std::tuple(fixedName("goblin"), true, 2, 2, 2, 12, 12, 40, 40, 7, 2, 3, 1, 0, true, 12));
    EXPECT_EQ(modPlayer_Add(l.g, 2, 3, 2), 22);
    l.g.CurrentPlayer = 22;
    modPlayer_Remove(l.g, 22);
    EXPECT_EQ(std::tuple(l.g.CurrentPlayer, l.g.MapPlayer(3, 2), l.creatures().size()),
              std::tuple(0, 0, 21u));
    EXPECT_EQ(boxTexts(l.t),
              std::vector<std::string>{"Error_modPlayer_Add : Monster 3 is not in monster.ini"});
}

// The user's creature: fixed starting values, the answered name, melee 10 + 10r rounded half to even.
TEST(CreatureTable, setupCreatesTheUsersCreature) {
    for (const auto& [draw, melee] : {std::pair{0.0f, 10}, {0.25f, 12}, {0.35f, 14}, {0.999999f, 20}}) {
        Level l;
        l.g.StartX = 40;
        l.g.StartY = 60;
        l.t.io.window.inputAnswers.push_back("Ann");
        l.t.io.random.queue(draw);
        modPlayer_Setup(l.g);
        ASSERT_EQ(l.g.CurrentPlayer, 1);
        const Player& p = l.g.Players(1);
        EXPECT_EQ(p.Name, "Ann" + std::string(97, ' '));
        EXPECT_EQ(std::tuple(p.MonsterType, p.Image, p.Life, p.MaxLife, p.Stamina, p.MaxStamina, p.SightRange,
                             p.Level, p.NextLevelXP, p.Facing, p.skill(1).Known, p.skill(1).XPToRaise),
                  std::tuple(0, 0, 50, 50, 100, 100, 100, 1, 1000, 2, true, 100));
        EXPECT_EQ(p.skill(1).Value, melee) << draw;
        EXPECT_EQ(std::tuple(l.g.MapPlayer(40, 60), l.g.ViewX, l.g.ViewY), std::tuple(1, 40, 60));
        EXPECT_EQ(l.t.io.log.of("input").at(0)["title"], "Murkhol");
    }
}

// The name box asks again, saying why, until the name can be saved; Cancel leaves no creature.
TEST(CreatureTable, setupAsksUntilTheNameCanBeSaved) {
    const std::string ask = "Enter your players name:", unnamed = "A saved game needs a name.\r\n" + ask;
    for (const bool cancel : {false, true}) {
        Level l;
        l.t.io.window.inputAnswers = {"", "   ", "../a/b",
                                      cancel ? std::nullopt : std::optional(std::string(150, 'z'))};
        modPlayer_Setup(l.g);
        std::vector<std::string> prompts;
        for (const auto& e : l.t.io.log.of("input"))
            prompts.push_back(e["prompt"]);
        EXPECT_EQ(prompts,
                  (std::vector<std::string>{ask, unnamed, unnamed,
                                            "\"../a/b\" cannot name a saved game: it may not hold slashes, "
                                            "colons or control characters.\r\n" +
                                                ask}));
        EXPECT_EQ(std::tuple(l.g.CurrentPlayer, l.creatures().size()),
                  cancel ? std::tuple(0, 0u) : std::tuple(1, 1u));
        EXPECT_EQ(displayName(l.g.Players(1).Name), cancel ? "" : std::string(100, 'z'))
            << "cut to the field";
    }
}

// No level, a taken start cell or one off the map: one box, no name asked, no creature for the user.
TEST(CreatureTable, setupRefusesWithoutAStartCell) {
    const std::pair<void (*)(Level&), const char*> cases[] = {
        {[](Level& l) { modPlayer_Add(l.g, 1, 0, 0); }, "The start cell (0, 0) is taken"},
        {[](Level& l) { l.g.StartY = 101; }, "The start cell (0, 101) is off the map"},
        {[](Level& l) { l.g.MapPlayer = Layer<int32_t>(); }, "There is no level to start on"},
    };
    for (const auto& [prepare, description] : cases) {
        Level l;
        prepare(l);
        modPlayer_Setup(l.g);
        EXPECT_EQ(std::tuple(l.g.CurrentPlayer, l.t.io.log.of("input").size()), std::tuple(0, 0u))
            << description;
        EXPECT_EQ(boxTexts(l.t),
                  std::vector<std::string>{std::string("Error_modPlayer_Setup : ") + description});
    }
}

} // namespace
} // namespace gf::test
