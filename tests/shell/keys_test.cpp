#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "messages/message.h"
#include "shell/keys.h"
#include "shell/timers.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

// The user's creature alone in the middle of an empty level, facing north.
class Keys : public ::testing::Test {
protected:
    void SetUp() override {
        prepareEmptyLevel(t);
        me = modPlayer_Add(t.game, 0, 50, 50);
        t.game.CurrentPlayer = me;
        t.game.player(me).Facing = 8;
        t.io.clock.time = 100;
    }
    Player& creature() { return t.game.player(me); }
    void press(int16_t key, int16_t shift = 0) {
        Form_KeyDown(t.game, key, shift);
        t.io.clock.time += 1; // past the step pause
    }
    TestGame t;
    int32_t me = 0;
};

// Back and side steps keep the facing: keypad 1 steps a quarter turn clockwise of it.
TEST_F(Keys, sideAndBackStepsKeepTheFacing) {
    struct Case {
        int16_t key;
        int dx, dy;
    };
    for (const Case c : {Case{97, 1, 0}, Case{99, -1, 0}, Case{Key::Down, 0, 1}, Case{98, 0, 1}}) {
        const int x = creature().X, y = creature().Y;
        press(c.key);
        EXPECT_EQ(creature().X, x + c.dx) << "key " << c.key;
        EXPECT_EQ(creature().Y, y + c.dy) << "key " << c.key;
        EXPECT_EQ(creature().Facing, 8) << "key " << c.key;
    }
}

// Shift, Ctrl and Alt change nothing: Shift+Up is Up.
TEST_F(Keys, modifiersDoNotChangeWhatAKeyDoes) {
    press(Key::Up, 1);
    press(104, 2);
    press(Key::Up, 4);
    EXPECT_EQ(creature().Y, 47);
}

// Turning: left arrow, full stop and keypad 4 turn one way; right arrow, comma and keypad 6 the other.
TEST_F(Keys, turnKeysTurnFortyFiveDegrees) {
    for (int16_t key : {Key::Left, Key::Period, int16_t{100}}) {
        creature().Facing = 8;
        press(key);
        EXPECT_EQ(creature().Facing, 7) << key;
    }
    for (int16_t key : {Key::Right, Key::Comma, int16_t{102}}) {
        creature().Facing = 8;
        press(key);
        EXPECT_EQ(creature().Facing, 9) << key;
    }
}

// Keys without a row, and every key while there is no creature, change nothing and draw nothing.
TEST_F(Keys, keysWithoutARowDoNothing) {
    const int before = t.io.canvas.presents;
    for (int16_t key :
         {int16_t{103}, int16_t{105}, Key::Home, Key::PageUp, int16_t{'B'}, int16_t{'Z'}, int16_t{13}})
        press(key);
    EXPECT_EQ(creature().X, 50);
    EXPECT_EQ(creature().Y, 50);
    EXPECT_EQ(creature().Facing, 8);
    EXPECT_EQ(t.io.canvas.presents, before);

    t.game.CurrentPlayer = 0;
    press(Key::Up);
    EXPECT_EQ(creature().Y, 50);
    EXPECT_EQ(t.io.canvas.presents, before);
}

// M keeps the overview up through redraws until M or an action key; the view centre stays.
TEST_F(Keys, overviewStaysUntilMOrAnActionKey) {
    const auto overviewShown = [&] {
        for (const auto& op : t.io.canvas.ops)
            if (op.kind == "box" && op.color == kRed) return true;
        return false;
    };
    t.game.ViewX = 3;
    press(Key::M);
    EXPECT_EQ(t.game.ViewX, 3);
    Timer2_Timer(t.game);
    EXPECT_TRUE(overviewShown()) << "a tick's redraw keeps it";
    press(Key::M);
    EXPECT_FALSE(overviewShown()) << "M again closes it";
    press(Key::M);
    press(Key::Left);
    EXPECT_FALSE(t.game.overview);
    EXPECT_EQ(creature().Facing, 7) << "the action key also acts";
    EXPECT_FALSE(overviewShown());
}

// Pause and Escape stop the timers and say so; no tick runs; the next key only resumes.
TEST_F(Keys, pauseStopsEveryTickUntilTheNextKey) {
    for (const int16_t key : {Key::Pause, Key::Escape}) {
        t.io.window.timersRunning = true;
        creature().Life = 40;
        press(key);
        EXPECT_TRUE(t.game.paused);
        EXPECT_FALSE(t.io.window.timersRunning);
        bool saysPaused = false;
        for (const auto& op : t.io.canvas.ops)
            saysPaused |= op.kind == "text" && op.text == "Paused";
        EXPECT_TRUE(saysPaused);
        Timer3_Timer(t.game);
        EXPECT_EQ(creature().Life, 40) << "no refresh while paused";
        press(Key::Up);
        EXPECT_FALSE(t.game.paused);
        EXPECT_TRUE(t.io.window.timersRunning);
        EXPECT_EQ(creature().Y, 50) << "the resuming key does not step";
        Timer3_Timer(t.game);
        EXPECT_EQ(creature().Life, 41);
    }
}

} // namespace
} // namespace gf::test
