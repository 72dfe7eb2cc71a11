#include "fight_support.h"
#include "messages/messages.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

class Messages : public ::testing::Test {
protected:
    TestGame t;
    Game& g = t.game;
};

// The queue keeps the newest twenty lines; the oldest falls off the top.
TEST_F(Messages, twentyOneLinesLeaveTheLastTwenty) {
    for (int i = 1; i <= 21; ++i)
        modMessage_Add(g, "line " + std::to_string(i), static_cast<int32_t>(kGreen));
    EXPECT_EQ(g.message(1).Text, "line 2");
    EXPECT_EQ(g.message(20).Text, "line 21");
    EXPECT_EQ(shownMessages(g).size(), 20u);
}

// A line lives while the clock is not past its time plus 5, compared in single precision.
TEST_F(Messages, lineExpiresOnlyAfterFiveSeconds) {
    t.io.clock.time = 100;
    modMessage_Add(g, "hello", static_cast<int32_t>(kBlue));
    for (float now : {104.95f, 105.0f}) {
        t.io.clock.time = now;
        modMessage_Process(g);
        EXPECT_TRUE(g.message(20).InUse) << now;
    }
    t.io.clock.time = 105.05f;
    modMessage_Process(g);
    EXPECT_FALSE(g.message(20).InUse);
    EXPECT_TRUE(g.message(20).Text.empty());
    EXPECT_EQ(g.message(20).Color, 0);
}

// An expired line leaves an empty entry that is pushed up like any other and never returns.
TEST_F(Messages, expiredEntryIsShiftedUpEmpty) {
    t.io.clock.time = 100;
    modMessage_Add(g, "old", static_cast<int32_t>(kGreen));
    t.io.clock.time = 106;
    modMessage_Process(g);
    modMessage_Add(g, "new", static_cast<int32_t>(kGreen));
    EXPECT_FALSE(g.message(19).InUse);
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"new"});
    EXPECT_EQ(g.message(20).Time, 106.0f);
}

// Twenty damage numbers fill the table; more are dropped until one expires after 0.35 s.
TEST_F(Messages, damageNumbersFillTwentyEntries) {
    t.io.clock.time = 100;
    modMessage_Add_Damage(g, 1, 1, 1);
    t.io.clock.time = 100.2f;
    for (int i = 2; i <= 20; ++i)
        modMessage_Add_Damage(g, i, i, i);
    modMessage_Add_Damage(g, 50, 50, 99);
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(g.damage(i).Amount, i);

    t.io.clock.time = 100.4f;
    modMessage_Process(g);
    EXPECT_FALSE(g.damage(1).InUse);
    EXPECT_TRUE(g.damage(2).InUse);
    modMessage_Add_Damage(g, 7, 8, 42);
    EXPECT_EQ(g.damage(1).Amount, 42);
    EXPECT_EQ(g.damage(1).X, 7);
    EXPECT_EQ(g.damage(1).Y, 8);
    EXPECT_EQ(g.damage(1).Time, 100.4f);
}

} // namespace
} // namespace gf::test
