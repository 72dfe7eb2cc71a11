#include "creatures/creature_table.h"
#include "shell/guard.h"
#include "shell/timers.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

// The user's creature at (20, 20) and a wounded rat far off, with the timers running.
int32_t startGame(TestGame& t) {
    prepareEmptyLevel(t);
    t.game.CurrentPlayer = modPlayer_Add(t.game, 0, 20, 20);
    t.io.window.timersRunning = true;
    const int32_t rat = modPlayer_Add(t.game, 1, 90, 90);
    t.game.player(rat).Life = 1;
    return rat;
}

// A tick acts only when no box, pause or game over holds it: the state below would not be ready.
TEST(Timers, ticksRunOnlyWhenNothingHoldsThem) {
    struct Tick {
        const char* name;
        void (*run)(Game&);
        int presents, life;
    };
    const Tick ticks[] = {
        {"Timer1", Timer1_Timer, 1, 1}, {"Timer2", Timer2_Timer, 1, 1}, {"Timer3", Timer3_Timer, 0, 2}};
    const std::string holds[] = {"nothing", "a pause", "the game over", "a handler below a box"};
    for (const Tick& tick : ticks)
        for (const std::string& hold : holds) {
            TestGame t;
            const int32_t rat = startGame(t);
            t.game.paused = hold == "a pause";
            t.game.handlerRunning = hold == "a handler below a box";
            if (hold == "the game over") {
                modPlayer_Remove(t.game, t.game.CurrentPlayer);
                t.game.gameOverStarted = true;
            }
            tick.run(t.game);
            const bool runs = hold == "nothing";
            EXPECT_EQ(
                std::tuple(t.io.canvas.presents, t.game.player(rat).Life, t.io.log.of("gameover").size()),
                std::tuple(runs ? tick.presents : 0, runs ? tick.life : 1, 0u))
                << tick.name << " held by " << hold;
        }
}

// An error below an error box goes to standard error: stacked boxes would repeat on every tick.
TEST(Timers, errorsBelowAnErrorBoxOpenNoSecondBox) {
    TestGame t;
    t.io.window.whileOpen = [&] { showError(t.game, "second"); };
    showError(t.game, "first");
    showError(t.game, "third");
    EXPECT_EQ(boxTexts(t), (std::vector<std::string>{"first", "third"}));
}

// Game over runs once however many ticks come, then the start menu offers another game.
TEST(Timers, gameOverRunsOnceThenOffersANewGame) {
    TestGame t;
    startGame(t);
    modPlayer_Remove(t.game, t.game.CurrentPlayer);
    t.io.window.whileOpen = [&] { Timer1_Timer(t.game); };
    t.io.window.menuAnswers = {MenuChoice::New};
    t.io.window.boxAnswers = {Answer::Ok, Answer::Yes};
    t.io.window.inputAnswers = {"Bo"};
    Timer1_Timer(t.game);
    EXPECT_EQ(boxTexts(t),
              (std::vector<std::string>{"Your player has died!!!\r\nGame over!", "Use random map?"}));
    EXPECT_EQ(t.io.log.of("death").at(0)["frames"], 11) << "640 x 480: r = max(10, 8), frames r down to 0";
    EXPECT_EQ(std::tuple(t.game.MapName, t.io.window.timersRunning), std::tuple("Random", true));
    ASSERT_NE(t.game.CurrentPlayer, 0);

    modPlayer_Remove(t.game, t.game.CurrentPlayer);
    Timer1_Timer(t.game);
    EXPECT_EQ(
        std::tuple(t.io.log.of("gameover").size(), t.io.log.of("exit").size(), t.io.window.timersRunning),
        std::tuple(2u, 1u, false))
        << "the unanswered menu is Exit";
}

} // namespace
} // namespace gf::test
