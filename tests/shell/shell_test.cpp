// Start-up, the timers and the keys: the application around the rules.
#include "app/keys.h"
#include "app/menus.h"
#include "app/startup.h"
#include "app/timers.h"
#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "messages/messages.h"
#include "sound/sound.h"
#include "state/guard.h"
#include "state/version.h"
#include "test_game.h"
#include "util/files.h"
#include "util/text.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

// The shipped catalogues and first level, and no sound device: the game plays silently.
struct StartUp {
    StartUp() {
        for (const char* f : {"item.ini", "monster.ini", "murkhol1.map"})
            t.copyData(f);
        t.io.sound.deviceAvailable = false;
    }
    ScriptedWindow& window() { return t.io.window; }
    TestGame t;
    Game& g = t.game;
};

// The start menu comes back until a game starts or Exit; nothing starts the timers meanwhile.
TEST(Startup, menuComesBackUntilAGameOrExit) {
    StartUp s;
    s.t.write("monster.ini", crlf({"MONSTER=5", "NAME=newt", "LIFE=3"}));
    std::filesystem::remove(s.t.folder / "murkhol1.map");
    s.window().menuAnswers = {MenuChoice::About, MenuChoice::Close, MenuChoice::Load, MenuChoice::New,
                              MenuChoice::Exit};
    s.window().fileAnswers = {std::nullopt};
    s.window().boxAnswers = {Answer::No};
    onStartup(s.g);
    playSound(s.g, 7);
    EXPECT_EQ(std::tuple(s.t.io.log.of("menu").size(), s.t.io.log.of("about").size(),
                         s.t.io.log.of("filedialog").size(), s.t.io.log.of("timers").size(),
                         s.window().exited, s.g.creatures.current, s.g.sounds.enabled,
                         s.t.io.sound.played.size()),
              std::tuple(5u, 1u, 1u, 0u, true, 0, false, 0u));
    const auto boxes = boxTexts(s.t);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(std::tuple(boxes[0], boxes[2]),
              std::tuple("Use random map?", "Error_modPlayer_Setup : There is no level to start on"));
    EXPECT_TRUE(boxes[1].starts_with("Error_modMap_Load : File not found: ")) << boxes[1];
    std::string sheets; // each sheet under its number
    for (const auto& [sheet, path] : s.t.io.canvas.sheetRequests)
        sheets += std::to_string(sheet) + path.substr(path.rfind('/')) + " ";
    EXPECT_EQ(sheets, "0/background.bmp 1/void.bmp 2/light.bmp 3/damage.bmp 4/item.bmp 5/player0.bmp "
                      "6/player1.bmp 7/player2.bmp 8/player3.bmp 9/player4.bmp 10/player5.bmp ");
}

// New: Yes is the random level, No the default; the game runs at once; Cancel keeps the old game.
TEST(Startup, newGameOnTheChosenLevel) {
    const std::tuple<Answer, std::optional<std::string>, bool, const char*, const char*> cases[] = {
        {Answer::No, "Bo", false, "The Gloaming Stair", "Bo"},
        {Answer::Yes, "Bo", false, "Random", "Bo"},
        {Answer::No, std::nullopt, false, "Random", "Ann"},
        {Answer::No, "Bo", true, "Random", "Ann"},
    };
    for (const auto& [random, name, levelMissing, level, creature] : cases) {
        StartUp s;
        s.window().menuAnswers = {MenuChoice::New};
        s.window().boxAnswers = {Answer::Yes, random};
        s.window().inputAnswers = {"Ann", name};
        s.window().whileOpen = [&] { onMonsterTick(s.g); }; // a tick under a box waits for the handler
        onStartup(s.g);
        ASSERT_NE(s.g.creatures.current, 0);
        EXPECT_EQ(s.t.io.log.events.back()["event"], "timers") << "nothing interleaves before the timers";
        EXPECT_EQ(std::tuple(s.g.level.name, s.g.level.startX, s.g.level.startY, s.t.io.canvas.presents > 0),
                  std::tuple("Random", 2, 2, true)); // shown at once, not a tick later
        s.g.creatures(s.g.creatures.current).gold = 77;
        setPaused(s.g, true);
        if (levelMissing) std::filesystem::remove(s.t.folder / "murkhol1.map");
        const int presents = s.t.io.canvas.presents;
        onNewGame(s.g);
        const Creature& me = s.g.creatures(s.g.creatures.current);
        const bool replaced = creature == std::string("Bo");
        EXPECT_EQ(std::tuple(s.g.level.name, displayName(me.name), me.gold, me.x, me.y, s.g.screen.viewX,
                             s.g.screen.caption, s.g.screen.paused, s.window().timersRunning,
                             s.t.io.canvas.presents > presents, boxTexts(s.t).size()),
                  std::tuple(level, creature, replaced ? 0 : 77, s.g.level.startX, s.g.level.startY,
                             s.g.level.startX, "Gloamfell (ver " + std::string(kVersion) + ")  : " + level,
                             !replaced, replaced, replaced, levelMissing ? 3u : 2u));
    }
}

// With a sound device each refused wave is named in a box and the rest play.
TEST(Startup, soundPlaysOnceSetUp) {
    StartUp s;
    s.t.io.sound.deviceAvailable = true;
    s.t.copyData("ow.wav");
    std::string wave = readDataFile(s.t.path("ow.wav"));
    wave.insert(12, std::string("JUNK\4\0\0\0\1\0\0\0", 12));
    s.t.write("ow.wav", wave);
    wave[12 + 12 + 8] = 3; // the format tag: float
    s.t.write("punch.wav", wave);
    s.window().menuAnswers = {MenuChoice::Exit};
    onStartup(s.g);
    for (const int number : {7, 2, 13, 14, -1}) // the last two are not sounds of the game
        playSound(s.g, number);
    EXPECT_EQ(s.t.io.sound.played, (std::vector<int>{7, 2, 13}));
    EXPECT_EQ(std::pair(s.g.sounds.loaded[6], s.g.sounds.loaded[1]), std::pair(true, false))
        << "the driver shows it";
    const auto boxes = boxTexts(s.t);
    ASSERT_EQ(boxes.size(), 14u);
    EXPECT_NE(boxes[1].find("Not PCM"), std::string::npos) << boxes[1];
    EXPECT_EQ(Texts(boxes.end() - 2, boxes.end()), Texts(2, "Error_modSound_Play : Subscript out of range"));
}

// The user at (50, 50) facing north: a door north-west, a dagger north-east, a rat south-west.
struct KeyGame : EmptyLevel {
    KeyGame() {
        t.game.creatures.current = addCreature(t.game, 0, 50, 50);
        draw(t.game, 49, 49, {"D"});
        addItem(t.game, 26, 51, 49);
        addCreature(t.game, 1, 49, 51);
        t.game.sounds.enabled = t.io.window.timersRunning = true;
        t.io.clock.time = 100;
    }
    void press(Key key, int16_t shift = 0) {
        onKeyDown(t.game, key, shift);
        t.io.clock.time += 1; // past the step pause
    }
    // Where the creature is and faces, what its keys changed around it and what was drawn.
    std::string outcome() {
        const Creature& me = t.game.creatures(1);
        std::string s = "(" + std::to_string(me.x) + ", " + std::to_string(me.y) + ") facing " +
                        std::to_string(me.facing);
        if (idAt(t.game, 49, 49) != ItemId::DoorClosedEW)
            s += ", door " + std::to_string(idAt(t.game, 49, 49));
        if (me.carry(1).inUse) s += ", carries " + std::to_string(me.carry(1).id);
        for (const int sound : t.io.sound.played)
            s += ", sound " + std::to_string(sound);
        for (const auto& op : t.io.canvas.ops)
            s += op.text == "Paused" ? ", says Paused" : op.text == "Stairs down" ? ", overview" : "";
        if (t.game.screen.paused != !t.io.window.timersRunning) s += ", timers disagree";
        return s + (t.game.screen.paused ? ", paused" : "") + (t.io.canvas.presents > 0 ? ", drawn" : "");
    }
};

// Each key does its one thing whatever the modifiers; the key that ends a pause does nothing else.
TEST(Keys, eachKeyDoesItsOneThing) {
    const int16_t all = kShiftMask | kCtrlMask | kAltMask;
    const std::tuple<const char*, int16_t, int16_t, std::vector<Key>, const char*> cases[] = {
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
        {"Up with no creature", 8, 0, {Key::Up}, "(50, 50) facing 8"}, // no creature, no key acts
    };
    for (const auto& [name, facing, shift, keys, outcome] : cases) {
        KeyGame k;
        k.t.game.creatures(1).facing = facing;
        if (std::string(name).ends_with("no creature")) k.t.game.creatures.current = 0;
        for (const Key key : keys)
            k.press(key, shift);
        EXPECT_EQ(k.outcome(), outcome) << name;
    }
}

// The user's creature at (20, 20) and a wounded rat far off, with the timers running.
int32_t startGame(TestGame& t) {
    prepareEmptyLevel(t);
    t.game.creatures.current = addCreature(t.game, 0, 20, 20);
    t.io.window.timersRunning = true;
    const int32_t rat = addCreature(t.game, 1, 90, 90);
    t.game.creatures(rat).life = 1;
    return rat;
}

// Every Latin-1 letter survives a trip through UTF-8; each letter Latin-1 lacks, and each piece
// that is not UTF-8 at all, becomes one stand-in, so a driver script cannot slip in a control code.
TEST(Text, utf8BecomesLatin1) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(utf8ToLatin1(latin1ToUtf8(all)), all);
    EXPECT_EQ(utf8ToLatin1("\xE2\x82\xAC|\xF0\x9F\x98\x80|\xC0\x80|\x80|\xC3|\xC3"),
              "\x1A|\x1A|\x1A|\x1A|\x1A|\x1A");
}

// Start-up seeds the luck from the clock, fractions too, so each game played is another one.
TEST(Startup, theClockSeedsTheLuck) {
    std::vector<float> draws;
    for (const float time : {0.25f, 0.25f, 0.5f}) {
        StartUp s;
        s.t.io.clock.time = time;
        s.window().menuAnswers = {MenuChoice::Exit};
        onStartup(s.g);
        draws.push_back(s.t.io.random.next());
    }
    EXPECT_EQ(std::pair(draws[0] == draws[1], draws[0] == draws[2]), std::pair(true, false));
}

// A tick acts only when no box, pause or game over holds it: the state below would not be ready.
// Only the message tick ages messages; the monster tick draws, the creature tick heals.
TEST(Timers, ticksRunOnlyWhenNothingHoldsThem) {
    // name, tick, presents, the rat's life, the message kept
    const std::tuple<const char*, void (*)(Game&), int, int, bool> ticks[] = {
        {"Timer1", onMonsterTick, 1, 1, true},
        {"Timer2", onFrameTick, 1, 1, false},
        {"Timer3", onRefreshTick, 0, 2, true}};
    // Each handler's box (Ready and Drop an empty slot's error) holds the ticks as a pause does.
    const std::pair<std::string, void (*)(Game&)> holds[] = {
        {"nothing", nullptr}, {"a pause", nullptr}, {"the game over", nullptr}, {"New", onNewGame},
        {"Load", onLoadGame}, {"About", onAbout},   {"Ready", onReadyCarried},  {"Drop", onDropCarried}};
    for (const auto& [name, run, presents, life, messageKept] : ticks)
        for (const auto& [hold, handler] : holds) {
            TestGame t;
            const int32_t rat = startGame(t);
            std::tie(t.game.screen.paused, t.game.session.gameOverStarted, t.game.screen.carrySlot) =
                std::tuple(hold == "a pause", hold == "the game over", 999);
            if (t.game.session.gameOverStarted) removeCreature(t.game, t.game.creatures.current);
            addMessage(t.game, "old news", kBlue);
            t.io.clock.time += 6;
            t.io.window.whileOpen = [&] { run(t.game); };
            handler ? handler(t.game) : run(t.game);
            const bool runs = hold == "nothing";
            EXPECT_EQ(std::tuple(t.io.canvas.presents, t.game.creatures(rat).life,
                                 t.io.log.of("gameover").size(), t.game.messages.line(kMessageLines).inUse),
                      std::tuple(runs ? presents : 0, runs ? life : 1, 0u, !runs || messageKept))
                << name << " held by " << hold;
        }
}

// An error below an error box goes to standard error: stacked boxes would repeat on every tick.
TEST(Timers, errorsBelowAnErrorBoxOpenNoSecondBox) {
    TestGame t;
    t.io.window.whileOpen = [&] { showError(t.game, "second"); };
    showError(t.game, "first");
    showError(t.game, "third");
    EXPECT_EQ(boxTexts(t), (Texts{"first", "third"}));
}

// A box names what went wrong in the game's own words, whatever was thrown.
TEST(Guard, errorBoxesNameWhatWentWrong) {
    using detail::describe;
    EXPECT_EQ(std::tuple(describe(std::bad_alloc()), describe(std::out_of_range("at")),
                         describe(Failure("Overflow")), describe(std::runtime_error("odd"))),
              std::tuple("Out of memory", kSubscriptOutOfRange, "Overflow", "odd"));
}

// Game over runs once however many ticks come, then the start menu offers another game.
TEST(Timers, gameOverRunsOnceThenOffersANewGame) {
    TestGame t;
    startGame(t);
    removeCreature(t.game, t.game.creatures.current);
    std::vector<bool> ticking; // under each box: no frame may draw over the death
    t.io.window.whileOpen = [&] { ticking.push_back(t.io.window.timersRunning), onMonsterTick(t.game); };
    t.io.window.menuAnswers = {MenuChoice::New};
    t.io.window.boxAnswers = {Answer::Ok, Answer::Yes};
    t.io.window.inputAnswers = {"Bo"};
    onMonsterTick(t.game);
    EXPECT_EQ(std::pair(boxTexts(t), ticking),
              std::pair(Texts{"Your player has died!!!\r\nGame over!", "Use random map?"},
                        std::vector{false, false, false}));
    EXPECT_EQ(t.io.log.of("death").at(0)["frames"], 11) << "640 x 480: r = max(10, 8), frames r down to 0";
    EXPECT_EQ(std::tuple(t.game.level.name, t.io.window.timersRunning), std::tuple("Random", true));
    ASSERT_NE(t.game.creatures.current, 0);

    removeCreature(t.game, t.game.creatures.current);
    onMonsterTick(t.game);
    EXPECT_EQ(
        std::tuple(t.io.log.of("gameover").size(), t.io.log.of("exit").size(), t.io.window.timersRunning),
        std::tuple(2u, 1u, false))
        << "the unanswered menu is Exit";
}

} // namespace
} // namespace gf::test
