#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "shell/keys.h"
#include "shell/timers.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        prepareEmptyLevel(t);
        me = modPlayer_Add(t.game, 0, 20, 20);
        t.game.CurrentPlayer = me;
        t.io.window.timersRunning = true;
    }
    TestGame t;
    int32_t me = 0;
};

// The game over runs once: the animation, the box, the end, however many ticks come.
TEST_F(Timers, gameOverRunsOnceWhateverTicksFollow) {
    modPlayer_Remove(t.game, me);
    t.io.window.whileOpen = [&] { Timer1_Timer(t.game); };
    Timer1_Timer(t.game);
    Timer1_Timer(t.game);
    EXPECT_EQ(t.io.log.of("gameover").size(), 1u);
    EXPECT_EQ(t.io.log.of("exit").size(), 1u);
    const auto boxes = t.io.log.of("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["text"], "Your player has died!!!\r\nGame over!");
    EXPECT_EQ(boxes[0]["title"], "Oh Bananas!");
    EXPECT_EQ(boxes[0]["icon"], "exclamation");
    EXPECT_FALSE(t.io.window.timersRunning) << "the timers stop before the animation";
    const auto death = t.io.log.of("death");
    ASSERT_EQ(death.size(), 1u);
    EXPECT_EQ(death[0]["frames"], 11) << "640 x 480: r = max(10, 8), frames r down to 0";
    EXPECT_EQ(t.io.log.of("menu").size(), 1u) << "the start menu, whose Exit ended the program";
}

// After the game-over box the start menu offers another game, which runs as any new one does.
TEST_F(Timers, gameOverLeadsToANewGame) {
    modPlayer_Remove(t.game, me);
    t.io.window.menuAnswers = {MenuChoice::New};
    t.io.window.boxAnswers = {Answer::Ok, Answer::Yes};
    t.io.window.inputAnswers = {"Bo"};
    Timer1_Timer(t.game);
    ASSERT_NE(t.game.CurrentPlayer, 0);
    EXPECT_EQ(t.game.MapName, "Random");
    EXPECT_FALSE(t.io.window.exited);
    EXPECT_TRUE(t.io.window.timersRunning);
    Timer1_Timer(t.game);
    EXPECT_EQ(t.io.log.of("gameover").size(), 1u) << "the new game is not over";
    modPlayer_Remove(t.game, t.game.CurrentPlayer);
    Timer1_Timer(t.game);
    EXPECT_EQ(t.io.log.of("gameover").size(), 2u) << "and can end in its turn";
}

// A tick arriving while a key press waits below a box is skipped, not run on half-changed state.
TEST_F(Timers, ticksWaitForAHandlerBelowABox) {
    modItem_Add(t.game, ItemId::StairsDown, 20, 19);
    t.game.MapLower = "below";
    t.write("below.map", crlf({"MAP=Below", "not a line of a level"}));
    t.game.player(me).Facing = 8;
    t.game.player(me).Stamina = 10;
    int boxes = 0;
    t.io.window.whileOpen = [&] {
        ++boxes;
        Timer3_Timer(t.game);
    };
    Form_KeyDown(t.game, Key::Up, 0);
    ASSERT_EQ(boxes, 1) << "the level's warning box";
    EXPECT_EQ(t.game.MapName, "Below");
    EXPECT_EQ(t.game.player(me).Stamina, 10) << "the tick during the box did not run";
    t.io.window.whileOpen = nullptr;
    Timer3_Timer(t.game);
    EXPECT_EQ(t.game.player(me).Stamina, 14) << "a tick on its own runs";
}

// Messages age on Timer2, creatures refresh on Timer3.
TEST_F(Timers, timer3RefreshesAndTimer2Redraws) {
    t.game.player(me).Life = 40;
    Timer3_Timer(t.game);
    EXPECT_EQ(t.game.player(me).Life, 41);
    const int before = t.io.canvas.presents;
    Timer2_Timer(t.game);
    EXPECT_EQ(t.io.canvas.presents, before + 1);
}

} // namespace
} // namespace gf::test
