#include "creatures/creature_table.h"
#include "shell/text.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <tuple>

namespace gf::test {
namespace {

struct CreatureLevel {
    TestGame t;
    Game& g = t.game;
    CreatureLevel() { prepareEmptyLevel(t); }
    int32_t activeEntries() {
        int32_t n = 0;
        for (const Player& p : g.Players)
            n += p.Active ? 1 : 0;
        return n;
    }
};

// Entries are handed out lowest first and reused after removal; removing the user's creature is how the
// game learns it is over.
TEST(CreatureTable, lowestFreeEntryIsTakenAndReused) {
    CreatureLevel l;
    EXPECT_EQ(modPlayer_Add(l.g, 1, 1, 1), 1);
    EXPECT_EQ(modPlayer_Add(l.g, 2, 2, 1), 2);
    modPlayer_Remove(l.g, 1);
    EXPECT_FALSE(l.g.Players(1).Active);
    EXPECT_EQ(l.g.MapPlayer(1, 1), 0);
    EXPECT_EQ(modPlayer_Add(l.g, 2, 3, 1), 1);
    EXPECT_EQ(l.g.Players(1).Name, fixedName("goblin"));
    l.g.CurrentPlayer = 2;
    modPlayer_Remove(l.g, 2);
    EXPECT_EQ(l.g.CurrentPlayer, 0);
    EXPECT_EQ(l.g.MapPlayer(2, 1), 0);
}

// With every entry active the table grows by ten and the first new entry is taken.
TEST(CreatureTable, fullTableGrowsByTen) {
    CreatureLevel l;
    for (int i = 1; i <= 20; ++i)
        ASSERT_EQ(modPlayer_Add(l.g, 1, i, 0), i);
    EXPECT_EQ(modPlayer_Add(l.g, 1, 0, 5), 21);
    EXPECT_EQ(l.g.Players.ubound(), 30);
    for (int i = 22; i <= 30; ++i)
        EXPECT_FALSE(l.g.Players(i).Active);
}

// Taken cells, off-map cells and unknown monster types place nothing and leave no half-made entry.
TEST(CreatureTable, refusedAdditionsChangeNothing) {
    CreatureLevel l;
    ASSERT_EQ(modPlayer_Add(l.g, 1, 5, 5), 1);
    EXPECT_EQ(modPlayer_Add(l.g, 2, 5, 5), 0);
    EXPECT_EQ(modPlayer_Add(l.g, 2, 101, 5), 0);
    EXPECT_TRUE(l.t.io.log.of("msgbox").empty());
    EXPECT_EQ(modPlayer_Add(l.g, 3, 6, 6), 0);
    EXPECT_EQ(l.g.MapPlayer(5, 5), 1);
    EXPECT_EQ(l.g.MapPlayer(6, 6), 0);
    EXPECT_EQ(l.activeEntries(), 1);
    EXPECT_EQ(l.g.Players.ubound(), 20);
    const auto boxes = l.t.io.log.of("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["text"].get<std::string>().rfind("Error_modPlayer_Add : ", 0), 0u);
}

// A monster starts from its catalogue entry, at home where it was placed.
TEST(CreatureTable, monsterStartsFromItsCatalogueEntry) {
    CreatureLevel l;
    const int32_t i = modPlayer_Add(l.g, 2, 8, 9);
    const Player& p = l.g.Players(i);
    EXPECT_TRUE(p.Active);
    EXPECT_EQ(p.Name, fixedName("goblin"));
    EXPECT_EQ(std::tuple(p.MonsterType, p.Level, p.Image, p.Life, p.MaxLife, p.Stamina, p.MaxStamina,
                         p.SightRange, p.Facing, p.HomeX, p.HomeY, p.NextLevelXP),
              std::tuple(2, 2, 2, 12, 12, 40, 40, 7, 2, 8, 9, 0));
    EXPECT_TRUE(p.skill(1).Known);
    EXPECT_EQ(p.skill(1).Value, 12);
    EXPECT_EQ(l.g.MapPlayer(8, 9), i);
}

// The user's creature: fixed starting values at the start cell and the answered name.
TEST(CreatureTable, setupCreatesTheUsersCreature) {
    CreatureLevel l;
    l.g.StartX = 40;
    l.g.StartY = 60;
    l.t.io.window.inputAnswers.push_back("Ann");
    modPlayer_Setup(l.g);
    ASSERT_EQ(l.g.CurrentPlayer, 1);
    const Player& p = l.g.Players(1);
    EXPECT_EQ(p.Name, fixedName("Ann"));
    EXPECT_EQ(std::tuple(p.MonsterType, p.Image, p.Life, p.MaxLife, p.Stamina, p.MaxStamina, p.SightRange,
                         p.Level, p.NextLevelXP, p.Facing, p.skill(1).Known, p.skill(1).XPToRaise),
              std::tuple(0, 0, 50, 50, 100, 100, 100, 1, 1000, 2, true, 100));
    EXPECT_EQ(std::tuple(l.g.MapPlayer(40, 60), l.g.ViewX, l.g.ViewY), std::tuple(1, 40, 60));
    const auto input = l.t.io.log.of("input");
    ASSERT_EQ(input.size(), 1u);
    EXPECT_EQ(input[0]["prompt"], "Enter your players name:");
    EXPECT_EQ(input[0]["title"], "Murkhol");
    EXPECT_EQ(fixedName("Ann"), "Ann" + std::string(97, ' '));
}

// The name box asks again, saying why, until the name can be saved; Cancel leaves no creature.
TEST(CreatureTable, setupAsksUntilTheNameCanBeSaved) {
    CreatureLevel l;
    l.t.io.window.inputAnswers = {"", "   ", "../a/b", std::string(150, 'z')};
    modPlayer_Setup(l.g);
    ASSERT_EQ(l.g.CurrentPlayer, 1);
    EXPECT_EQ(l.g.Players(1).Name, std::string(100, 'z')) << "cut to the field";
    std::vector<std::string> prompts;
    for (const auto& e : l.t.io.log.of("input"))
        prompts.push_back(e["prompt"]);
    EXPECT_EQ(prompts,
              (std::vector<std::string>{
                  "Enter your players name:", "A saved game needs a name.\r\nEnter your players name:",
                  "A saved game needs a name.\r\nEnter your players name:",
                  "\"../a/b\" cannot name a saved game: it may not hold slashes, colons or control "
                  "characters.\r\nEnter your players name:"}));

    CreatureLevel cancelled;
    cancelled.t.io.window.inputAnswers = {"", std::nullopt};
    modPlayer_Setup(cancelled.g);
    EXPECT_EQ(cancelled.g.CurrentPlayer, 0);
    EXPECT_EQ(cancelled.g.MapPlayer(0, 0), 0);
    EXPECT_FALSE(cancelled.g.Players(1).Active);
}

// Melee starts at 10 + 10r, rounded half to even.
TEST(CreatureTable, setupDrawsTheUsersMelee) {
    for (const auto& [draw, melee] :
         {std::pair{0.0f, 10}, {0.25f, 12}, {0.35f, 14}, {0.05f, 10}, {0.999999f, 20}}) {
        CreatureLevel l;
        l.t.io.window.inputAnswers = {"Ann"};
        l.t.io.random.queue(draw);
        modPlayer_Setup(l.g);
        EXPECT_EQ(l.g.Players(1).skill(1).Value, melee) << draw;
    }
}

// No level, a taken start cell or one off the map: one box, no name asked, no creature.
TEST(CreatureTable, setupRefusesWithoutAStartCell) {
    struct Case {
        const char* what;
        void (*prepare)(CreatureLevel&);
        const char* description;
    };
    const Case cases[] = {
        {"taken", [](CreatureLevel& l) { modPlayer_Add(l.g, 1, 0, 0); }, "The start cell (0, 0) is taken"},
        {"off map", [](CreatureLevel& l) { l.g.StartX = 101; }, "The start cell (101, 0) is off the map"},
        {"no level", [](CreatureLevel& l) { l.g.MapPlayer = Layer<int32_t>(); },
         "There is no level to start on"},
    };
    for (const Case& c : cases) {
        CreatureLevel l;
        c.prepare(l);
        modPlayer_Setup(l.g);
        EXPECT_EQ(l.g.CurrentPlayer, 0) << c.what;
        EXPECT_TRUE(l.t.io.log.of("input").empty()) << c.what;
        const auto boxes = l.t.io.log.of("msgbox");
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes[0]["text"], std::string("Error_modPlayer_Setup : ") + c.description);
    }
}

} // namespace
} // namespace gf::test
