#include "messages/messages.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

// Twenty lines (5 s each) and twenty damage numbers (0.35 s) are kept; lines scroll over expired ones.
TEST(Messages, linesAndDamageNumbersFillTheirTablesAndExpire) {
    TestGame t;
    Game& g = t.game;
    t.io.clock.time = 100;
    for (int i = 1; i <= 21; ++i) {
        modMessage_Add(g, "line " + std::to_string(i), static_cast<int32_t>(kGreen));
        modMessage_Add_Damage(g, i, i, i);
        t.io.clock.time = 100.2f;
    }
    EXPECT_EQ(g.message(1).Text + ", " + g.message(20).Text, "line 2, line 21");
    EXPECT_EQ(std::pair(g.damage(1).Amount, g.damage(20).Amount), std::pair(1, 20));
    for (const auto& [now, kept] : {std::pair{100.35f, true}, {100.4f, false}}) {
        t.io.clock.time = now;
        modMessage_Process(g);
        EXPECT_EQ(std::pair(g.damage(1).InUse, g.damage(2).InUse), std::pair(kept, true)) << now;
    }
    modMessage_Add_Damage(g, 7, 8, 42);
    EXPECT_EQ(std::tuple(g.damage(1).X, g.damage(1).Y, g.damage(1).Amount, g.damage(1).Time),
              std::tuple(7, 8, 42, 100.4f));

    for (const auto& [now, shown] : {std::pair{105.2f, 20u}, {105.25f, 0u}}) {
        t.io.clock.time = now;
        modMessage_Process(g);
        EXPECT_EQ(shownMessages(g).size(), shown) << now;
    }
    EXPECT_EQ(std::pair(g.message(20).Text, g.message(20).Color), std::pair(std::string(), 0));
    modMessage_Add(g, "new", static_cast<int32_t>(kBlue));
    EXPECT_EQ(std::tuple(g.message(19).InUse, g.message(20).Color, g.message(20).Time),
              std::tuple(false, static_cast<int32_t>(kBlue), 105.25f));
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"new"});
    // The log keeps what the view forgot, oldest first, in its colours.
    ASSERT_EQ(g.log.lines().size(), 22u);
    EXPECT_EQ(std::tuple(g.log.lines().front().Text, g.log.lines().back().Text, g.log.lines().back().Color),
              std::tuple("line 1", "new", static_cast<int32_t>(kBlue)));
}

// The log keeps the last thousand lines, numbered for the whole run, so a view can tell what is new.
TEST(Messages, theLogKeepsTheLastThousandLines) {
    MessageLog log;
    for (int i = 0; i < 1005; ++i)
        log.add("line " + std::to_string(i), i);
    EXPECT_EQ(std::tuple(log.lines().size(), log.first(), log.end(), log.line(5).Text, log.line(1004).Color),
              std::tuple(1000u, 5u, 1005u, "line 5", 1004));
    log.clear();
    log.add("fresh", 0);
    EXPECT_EQ(std::tuple(log.lines().size(), log.first(), log.line(1005).Text),
              std::tuple(1u, 1005u, "fresh"));
}

} // namespace
} // namespace gf::test
