#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "shell/guard.h"
#include "shell/keys.h"
#include "shell/timers.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

// The user at (50, 50) facing north: a door north-west, a dagger north-east, a rat south-west.
struct KeyGame {
    KeyGame() {
        prepareEmptyLevel(t);
        t.game.CurrentPlayer = modPlayer_Add(t.game, 0, 50, 50);
        draw(t.game, 49, 49, {"D"});
        modItem_Add(t.game, 26, 51, 49);
        modPlayer_Add(t.game, 1, 49, 51);
        t.game.SoundEnabled = t.io.window.timersRunning = true;
        t.io.clock.time = 100;
    }
    void press(Key key, int16_t shift = 0) {
        Form_KeyDown(t.game, key, shift);
        t.io.clock.time += 1; // past the step pause
    }
    // Where the creature is and faces, what its keys changed around it and what was drawn.
    std::string outcome() {
        const Player& me = t.game.player(1);
        std::string s = "(" + std::to_string(me.X) + ", " + std::to_string(me.Y) + ") facing " +
                        std::to_string(me.Facing);
        if (idAt(t.game, 49, 49) != ItemId::DoorClosedEW)
            s += ", door " + std::to_string(idAt(t.game, 49, 49));
        if (me.carry(1).InUse) s += ", carries " + std::to_string(me.carry(1).ID);
        for (const int sound : t.io.sound.played)
            s += ", sound " + std::to_string(sound);
        for (const auto& op : t.io.canvas.ops)
            s += op.text == "Paused" ? ", says Paused" : op.text == "Stairs down" ? ", overview" : "";
        if (t.game.paused != !t.io.window.timersRunning) s += ", timers disagree";
        return s + (t.game.paused ? ", paused" : "") + (t.io.canvas.presents > 0 ? ", drawn" : "");
    }
    TestGame t;
};

// Each key does its one thing whatever the modifiers; the key that ends a pause does nothing else.
TEST(Keys, eachKeyDoesItsOneThing) {
    struct Case {
        const char* name;
        int16_t facing, shift;
        std::vector<Key> keys;
        const char* outcome;
    };
    const int16_t all = kShiftMask | kCtrlMask | kAltMask;
    const Case cases[] = {
        {"Up", 8, 0, {Key::Up}, "(50, 49) facing 8, sound 3, drawn"},
        {"Shift+Ctrl+Alt+keypad 8", 8, all, {Key::Num8}, "(50, 49) facing 8, sound 3, drawn"},
        {"Down", 8, 0, {Key::Down}, "(50, 51) facing 8, sound 3, drawn"},
        {"keypad 1", 8, 0, {Key::Num1}, "(51, 50) facing 8, sound 3, drawn"},
        {"keypad 3", 8, 0, {Key::Num3}, "(49, 50) facing 8, sound 3, drawn"},
        {"Left", 8, 0, {Key::Left}, "(50, 50) facing 7, drawn"},
        {"full stop", 8, 0, {Key::Period}, "(50, 50) facing 7, drawn"},
        {"Right", 8, 0, {Key::Right}, "(50, 50) facing 9, drawn"},
        {"comma", 8, 0, {Key::Comma}, "(50, 50) facing 9, drawn"},
        {"O", 7, 0, {Key::O}, "(50, 50) facing 7, door 18, sound 4, drawn"},
        {"P", 9, 0, {Key::P}, "(50, 50) facing 9, carries 26, sound 13, drawn"},
        {"Insert", 9, 0, {Key::Insert}, "(50, 50) facing 9, carries 26, sound 13, drawn"},
        {"A", 1, 0, {Key::A}, "(50, 50) facing 1, sound 1, drawn"},
        {"another key", 8, 0, {Key::Other}, "(50, 50) facing 8"},
        {"M", 8, 0, {Key::M}, "(50, 50) facing 8, overview, drawn"},
        {"M, M", 8, 0, {Key::M, Key::M}, "(50, 50) facing 8, drawn"},
        {"M, Left", 8, 0, {Key::M, Key::Left}, "(50, 50) facing 7, drawn"},
        {"Pause", 8, 0, {Key::Pause}, "(50, 50) facing 8, says Paused, paused, drawn"},
        {"Escape", 8, 0, {Key::Escape}, "(50, 50) facing 8, says Paused, paused, drawn"},
        {"Pause, Up", 8, 0, {Key::Pause, Key::Up}, "(50, 50) facing 8, drawn"},
        {"Pause, another key", 8, 0, {Key::Pause, Key::Other}, "(50, 50) facing 8, drawn"},
    };
    for (const Case& c : cases) {
        KeyGame k;
        k.t.game.player(1).Facing = c.facing;
        for (const Key key : c.keys)
            k.press(key, c.shift);
        EXPECT_EQ(k.outcome(), c.outcome) << c.name;
    }
    KeyGame k;
    k.t.game.player(1).Facing = 8;
    k.t.game.CurrentPlayer = 0;
    k.press(Key::Up);
    EXPECT_EQ(k.outcome(), "(50, 50) facing 8") << "no creature, no key acts";
}

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
