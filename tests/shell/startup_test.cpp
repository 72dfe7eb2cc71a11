#include "creatures/creature_table.h"
#include "map/map_file.h"
#include "shell/files.h"
#include "shell/menus.h"
#include "shell/startup.h"
#include "shell/timers.h"
#include "shell/version.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {"item.ini", "monster.ini", "murkhol1.map"})
            t.copyData(f);
        t.io.sound.deviceAvailable = false; // no wave files here: play silently
    }
    ScriptedWindow& window() { return t.io.window; }
    TestGame t;
};

// The menu has no way out but its own buttons: About and the frame's close just show it again.
TEST_F(StartUp, aboutAndClosingTheMenuShowItAgain) {
    window().menuAnswers = {MenuChoice::About, MenuChoice::Close, MenuChoice::Exit};
    Form_Load(t.game);
    EXPECT_EQ(t.io.log.of("menu").size(), 3u);
    EXPECT_EQ(t.io.log.of("about").size(), 1u);
    EXPECT_TRUE(window().exited);
    EXPECT_TRUE(t.io.log.of("timers").empty()) << "no game, so the timers never start";
}

// Cancelling the file dialog is not a game; the menu comes back and nobody plays.
TEST_F(StartUp, loadCancelledShowsTheMenuAgain) {
    window().menuAnswers = {MenuChoice::Load, MenuChoice::Exit};
    window().fileAnswers = {std::nullopt};
    Form_Load(t.game);
    EXPECT_EQ(t.io.log.of("menu").size(), 2u);
    ASSERT_EQ(t.io.log.of("filedialog").size(), 1u);
    const auto dialog = t.io.log.of("filedialog")[0];
    EXPECT_EQ(dialog["title"], "Load Saved Game");
    EXPECT_EQ(dialog["folder"], t.game.folder + "\\saved\\");
    EXPECT_EQ(dialog["defext"], "saved");
    EXPECT_EQ(dialog["flags"], 4100);
    EXPECT_EQ(dialog["filter"], "Saved Games (*.saved)|*.saved|All Files (*.*)|*.*");
    EXPECT_EQ(t.game.CurrentPlayer, 0);
    EXPECT_TRUE(t.io.log.of("msgbox").empty()) << "cancelling is not an error";
}

// New, No: the default level with the named creature on its start cell, then the timers, last.
TEST_F(StartUp, newGameOnTheDefaultLevelStartsTheTimersLast) {
    window().menuAnswers = {MenuChoice::New};
    window().boxAnswers = {Answer::No};
    window().inputAnswers = {"Ann"};
    Form_Load(t.game);
    Game& g = t.game;
    ASSERT_NE(g.CurrentPlayer, 0);
    const Player& ann = g.player(g.CurrentPlayer);
    EXPECT_EQ(ann.X, g.StartX);
    EXPECT_EQ(ann.Y, g.StartY);
    EXPECT_EQ(ann.Name.substr(0, 4), "Ann ");
    EXPECT_EQ(g.Caption, "Gloamfell (ver " + std::string(kVersion) + ")  : " + g.MapName);
    EXPECT_EQ(g.ViewX, g.StartX);

    const auto& events = t.io.log.events;
    ASSERT_FALSE(events.empty());
    const auto box = t.io.log.of("msgbox").at(0);
    EXPECT_EQ(box["text"], "Use random map?");
    EXPECT_EQ(box["title"], "Yo Yo Yo...");
    EXPECT_EQ(box["buttons"], "yesno");
    const auto input = t.io.log.of("input").at(0);
    EXPECT_EQ(input["prompt"], "Enter your players name:");
    EXPECT_EQ(input["title"], "Murkhol");
    const auto timers = t.io.log.of("timers");
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0]["Timer1"], 1000);
    EXPECT_EQ(timers[0]["Timer2"], 100);
    EXPECT_EQ(timers[0]["Timer3"], 4000);
    EXPECT_EQ(events.back()["event"], "timers") << "nothing may interleave with start-up before the timers";
    EXPECT_GE(t.io.canvas.presents, 1) << "the first view is drawn";
}

// New, Yes: the random level named Random, the creature in the first room.
TEST_F(StartUp, newGameOnARandomLevel) {
    window().menuAnswers = {MenuChoice::New};
    window().boxAnswers = {Answer::Yes};
    window().inputAnswers = {"Ann"};
    Form_Load(t.game);
    Game& g = t.game;
    ASSERT_NE(g.CurrentPlayer, 0);
    EXPECT_EQ(g.MapName, "Random");
    EXPECT_EQ(g.Caption, "Gloamfell (ver " + std::string(kVersion) + ")  : Random");
    EXPECT_EQ(g.player(g.CurrentPlayer).X, 2);
    EXPECT_EQ(g.player(g.CurrentPlayer).Y, 2);
}

// Cancel on the name box goes back to the start menu; on File, New back to the game in progress.
TEST_F(StartUp, cancelledNameGoesBackWhereItCameFrom) {
    window().menuAnswers = {MenuChoice::New, MenuChoice::New};
    window().boxAnswers = {Answer::No, Answer::No};
    window().inputAnswers = {std::nullopt, "Ann"};
    Form_Load(t.game);
    Game& g = t.game;
    EXPECT_EQ(t.io.log.of("menu").size(), 2u);
    ASSERT_NE(g.CurrentPlayer, 0);
    g.player(g.CurrentPlayer).Gold = 77;

    window().boxAnswers = {Answer::Yes};
    window().inputAnswers = {std::nullopt};
    mnuFileNew_Click(g);
    ASSERT_NE(g.CurrentPlayer, 0);
    EXPECT_EQ(g.player(g.CurrentPlayer).Gold, 77);
    EXPECT_NE(g.MapName, "Random") << "the level is the one in progress";

    // A new game begun while paused runs at once.
    setPaused(g, true);
    window().boxAnswers = {Answer::Yes};
    window().inputAnswers = {"Bo"};
    mnuFileNew_Click(g);
    EXPECT_EQ(g.MapName, "Random");
    EXPECT_FALSE(g.paused);
    EXPECT_TRUE(window().timersRunning);
}

// One creature sheet per monster type plus the user's, numbered from 0.
TEST_F(StartUp, loadsOneCreatureSheetPerMonsterTypePlusOne) {
    t.write("monster.ini", crlf({"MONSTER=5", "NAME=newt", "LIFE=3"}));
    window().menuAnswers = {MenuChoice::Exit};
    Form_Load(t.game);
    std::vector<std::string> players;
    for (const auto& [sheet, path] : t.io.canvas.sheetRequests)
        if (sheet >= kSheetPlayerFirst) players.push_back(path.substr(path.rfind('/') + 1));
    EXPECT_EQ(players, (std::vector<std::string>{"player0.bmp", "player1.bmp", "player2.bmp", "player3.bmp",
                                                 "player4.bmp", "player5.bmp"}));
}

// A default level that cannot be read leaves no creature: the menu comes back instead of a lost game.
TEST_F(StartUp, missingDefaultLevelShowsTheMenuAgain) {
    std::filesystem::remove(t.folder / "murkhol1.map");
    window().menuAnswers = {MenuChoice::New, MenuChoice::Exit};
    window().boxAnswers = {Answer::No};
    Form_Load(t.game);
    EXPECT_EQ(t.io.log.of("menu").size(), 2u);
    EXPECT_EQ(t.game.CurrentPlayer, 0);
    EXPECT_TRUE(t.io.log.of("timers").empty());
    bool reported = false;
    for (const auto& box : t.io.log.of("msgbox"))
        reported |= box["text"].get<std::string>().rfind("Error_modMap_Load : ", 0) == 0;
    EXPECT_TRUE(reported);
}

// The driver must not pass on a sheet or a sound the window would refuse:
// it judges them with the game's own header and wave readers.
TEST_F(StartUp, driverTakesOnlySheetsAndSoundsTheGameTakes) {
    t.copyData("item.bmp");
    t.copyData("ow.wav");
    EXPECT_TRUE(t.io.canvas.loadSheet(0, t.path("item.bmp")));
    EXPECT_EQ(t.io.sound.load(t.path("ow.wav"), 7), "");

    t.write("junk.bmp", "BM and nothing a picture needs");
    EXPECT_FALSE(t.io.canvas.loadSheet(0, t.path("junk.bmp")));
    std::string huge = readDataFile(t.path("item.bmp")).substr(0, 54);
    huge[18] = char(0x60), huge[19] = char(0x04), huge[22] = char(0xC0), huge[23] = char(0x03); // 1120 x 960
    t.write("huge.bmp", huge);
    EXPECT_FALSE(t.io.canvas.loadSheet(0, t.path("huge.bmp")));

    // A chunk before "fmt " moves the format tag away from where a fixed offset looks.
    std::string wave = readDataFile(t.path("ow.wav"));
    wave.insert(12, std::string("JUNK\4\0\0\0\1\0\0\0", 12));
    wave[12 + 12 + 8] = 3; // a float format, not PCM
    t.write("float.wav", wave);
    EXPECT_NE(t.io.sound.load(t.path("float.wav"), 7).find("Not PCM"), std::string::npos);
}

} // namespace
} // namespace gf::test
