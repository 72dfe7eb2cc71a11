#include "shell/files.h"
#include "shell/menus.h"
#include "shell/startup.h"
#include "shell/text.h"
#include "shell/timers.h"
#include "shell/version.h"
#include "sound/sound.h"
#include "sound/wave_file.h"
#include "test_game.h"

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
    Form_Load(s.g);
    EXPECT_EQ(std::tuple(s.t.io.log.of("menu").size(), s.t.io.log.of("about").size(),
                         s.t.io.log.of("filedialog").size(), s.t.io.log.of("timers").size()),
              std::tuple(5u, 1u, 1u, 0u));
    modSound_Play(s.g, 7);
    EXPECT_EQ(std::tuple(s.window().exited, s.g.CurrentPlayer, s.g.SoundEnabled, s.t.io.sound.played.size()),
              std::tuple(true, 0, false, 0u));
    const auto boxes = boxTexts(s.t);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(std::tuple(boxes[0], boxes[2]),
              std::tuple("Use random map?", "Error_modPlayer_Setup : There is no level to start on"));
    EXPECT_TRUE(boxes[1].starts_with("Error_modMap_Load : File not found: ")) << boxes[1];
    std::vector<std::string> sheets;
    for (const auto& [sheet, path] : s.t.io.canvas.sheetRequests)
        if (sheet >= kSheetPlayerFirst) sheets.push_back(path.substr(path.rfind('/') + 1));
    EXPECT_EQ(sheets, (std::vector<std::string>{"player0.bmp", "player1.bmp", "player2.bmp", "player3.bmp",
                                                "player4.bmp", "player5.bmp"}));
}

// New: Yes is the random level, No the default; the game runs at once; Cancel keeps the old game.
TEST(Startup, newGameOnTheChosenLevel) {
    struct Case {
        Answer random;
        std::optional<std::string> name;
        bool levelMissing;
        const char* level;
        const char* creature;
    };
    const Case cases[] = {
        {Answer::No, "Bo", false, "The Gloaming Stair", "Bo"},
        {Answer::Yes, "Bo", false, "Random", "Bo"},
        {Answer::No, std::nullopt, false, "Random", "Ann"},
        {Answer::No, "Bo", true, "Random", "Ann"},
    };
    for (const Case& c : cases) {
        StartUp s;
        s.window().menuAnswers = {MenuChoice::New};
        s.window().boxAnswers = {Answer::Yes, c.random};
        s.window().inputAnswers = {"Ann", c.name};
        s.window().whileOpen = [&] { Timer1_Timer(s.g); }; // a tick under a box waits for the handler
        Form_Load(s.g);
        ASSERT_NE(s.g.CurrentPlayer, 0);
        EXPECT_EQ(s.t.io.log.events.back()["event"], "timers") << "nothing interleaves before the timers";
        EXPECT_EQ(std::tuple(s.g.MapName, s.g.StartX, s.g.StartY), std::tuple("Random", 2, 2));
        s.g.player(s.g.CurrentPlayer).Gold = 77;
        setPaused(s.g, true);
        if (c.levelMissing) std::filesystem::remove(s.t.folder / "murkhol1.map");
        const int presents = s.t.io.canvas.presents;
        mnuFileNew_Click(s.g);
        const Player& me = s.g.player(s.g.CurrentPlayer);
        const bool replaced = c.creature == std::string("Bo");
        EXPECT_EQ(std::tuple(s.g.MapName, displayName(me.Name), me.Gold, me.X, me.Y, s.g.ViewX),
                  std::tuple(c.level, c.creature, replaced ? 0 : 77, s.g.StartX, s.g.StartY, s.g.StartX))
            << c.level << " " << c.creature;
        EXPECT_EQ(s.g.Caption, "Gloamfell (ver " + std::string(kVersion) + ")  : " + c.level)
            << c.level << " " << c.creature;
        EXPECT_EQ(std::tuple(s.g.paused, s.window().timersRunning), std::tuple(!replaced, replaced))
            << c.level << " " << c.creature;
        EXPECT_EQ(s.t.io.canvas.presents > presents, replaced) << c.level << " " << c.creature;
        EXPECT_EQ(boxTexts(s.t).size(), c.levelMissing ? 3u : 2u) << c.level << " " << c.creature;
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
    Form_Load(s.g);
    modSound_Play(s.g, 7);
    modSound_Play(s.g, 2);
    EXPECT_EQ(s.t.io.sound.played, (std::vector<int>{7, 2}));
    const auto boxes = boxTexts(s.t);
    ASSERT_EQ(boxes.size(), 12u);
    EXPECT_NE(boxes[1].find("Not PCM"), std::string::npos) << boxes[1];
}

// Every sample width decodes its most negative and most positive values and one with distinct bytes.
TEST(WaveFile, everySampleWidthDecodesItsExtremes) {
    const auto wave = [](int bits, const std::string& data) {
        return "RIFF" + le(36 + static_cast<int64_t>(data.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
               le(1, 2) + le(8000, 4) + le(8000 * bits / 8, 4) + le(bits / 8, 2) + le(bits, 2) + "data" +
               le(static_cast<int64_t>(data.size()), 4) + data;
    };
    const std::tuple<int, std::string, std::vector<float>> cases[] = {
        {8, std::string("\x00\xFF\x81", 3), {-1, 127 / 128.0f, 1 / 128.0f}},
        {16, le(-32768, 2) + le(32767, 2) + le(0x0102, 2), {-1, 32767 / 32768.0f, 0x0102 / 32768.0f}},
        {24,
         le(-1 << 23, 3) + le((1 << 23) - 1, 3) + le(0x010203, 3),
         {-1, 8388607 / 8388608.0f, 0x010203 / 8388608.0f}},
        {32, le(INT32_MIN, 4) + le(INT32_MAX, 4) + le(0x01020304, 4), {-1, 1, 0x01020304 / 2147483648.0f}}};
    for (const auto& [bits, data, samples] : cases) {
        WaveData decoded;
        EXPECT_EQ(parseWave(wave(bits, data), decoded), "") << bits;
        EXPECT_EQ(decoded.samples, samples) << bits << "-bit";
    }
}

} // namespace
} // namespace gf::test
