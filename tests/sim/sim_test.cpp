#include "shell/version.h"
#include "sim_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace gf::test {
namespace {

namespace fs = std::filesystem;

const std::string kData = GLOAMFELL_DATA_DIR;
const std::string kNewGame = "answer menu new\nanswer box no\nanswer input Ann\nstartup\n";

// The check from the README: a new game on the first level with Ann on its start cell.
TEST(Sim, newGameOnTheFirstLevel) {
    const SimRun run = runSim(kData, kNewGame + "dump\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto state = run.lastDump();
    ASSERT_FALSE(state.is_null());
    const int me = state["CurrentPlayer"];
    ASSERT_GT(me, 0);
    const auto ann = state["Players"][me - 1];
    EXPECT_EQ(ann["Name"], "Ann");
    EXPECT_EQ(ann["X"], state["StartX"]);
    EXPECT_EQ(ann["Y"], state["StartY"]);
    EXPECT_EQ(state["Caption"],
              "Gloamfell (ver " + std::string(kVersion) + ")  : " + state["MapName"].get<std::string>());
    EXPECT_EQ(state["Players"].size(), 20u);
    EXPECT_EQ(state["Skills"][0]["Name"], "Melee");
    int joined = 0;
    for (const auto& item : state["Items"])
        joined += item["ID"] >= 2 && item["ID"] <= 16;
    EXPECT_GT(joined, 100) << "walls are joined into pieces";
    EXPECT_EQ(run.events("timers").size(), 1u);
}

// A line the driver cannot read stops it with status 2 and names the line.
TEST(Sim, unreadableLineExitsWithTwoNamingTheLine) {
    for (const std::string bad :
         {"frobnicate", "tick 4", "key NoSuchKey", "answer box maybe", "clock soon"}) {
        const SimRun run = runSim(kData, "# a comment\n\n" + bad + "\ndump\n");
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_NE(run.errors.find("line 3"), std::string::npos) << run.errors;
        EXPECT_TRUE(run.lastDump().is_null()) << "nothing after the bad line runs";
    }
}

// A command line the driver cannot use is refused with one line and a failing status,
// rather than read standard input and pass.
TEST(Sim, commandLineMistakesAreRefused) {
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    };
    const Case cases[] = {
        {{"--check", kData}, "unknown option --check"},
        {{"--soak", kData, "--fast"}, "unknown option --fast"},
        {{"/no/such/folder"}, "/no/such/folder is not a folder"},
        {{"--soak", "/no/such/folder"}, "/no/such/folder is not a folder"},
        {{kData, "/no/such.script"}, "cannot read the script /no/such.script"},
        {{kData, kData}, "is a folder"},
        {{}, "expected FOLDER [SCRIPT]"},
    };
    for (const Case& c : cases) {
        const SimRun run = runSimWith(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.reason;
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        EXPECT_TRUE(run.output.empty()) << run.output;
    }
    const SimRun help = runSimWith({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output.rfind("usage: gloamfell-sim [--player DIR] FOLDER [SCRIPT]", 0), 0u) << help.output;
}

// A name outside ASCII saves under its UTF-8 file name, and the File menu's Load reopens it.
TEST(Sim, latin1NameSavesAndLoadsUnderItsUtf8FileName) {
    const fs::path folder = fs::temp_directory_path() / ("gloamfell-sim-names-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::copy(kData, folder, fs::copy_options::recursive);
    const SimRun run =
        runSim(folder.string(), "answer menu new\nanswer box no\nanswer input Zo\xC3\xAB\nstartup\n"
                                "menu save\nanswer file saved/Zo\xC3\xAB.saved\nmenu load\ndump\n");
    std::ifstream in(folder / "saved" / "Zo\xC3\xAB.saved", std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(in), {}};
    fs::remove_all(folder);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.events("msgbox").size(), 1u) << "only the random-map question: " << run.output;
    const auto state = run.lastDump();
    const int me = state["CurrentPlayer"];
    ASSERT_GT(me, 0);
    EXPECT_EQ(state["Players"][me - 1]["Name"], "Zo\xC3\xAB");
    ASSERT_GT(saved.size(), 4 + 648u * static_cast<unsigned>(me));
    EXPECT_EQ(saved.substr(4 + 648u * static_cast<unsigned>(me - 1) + 6, 4), "Zo\xEB ");
    int loaded = 0;
    for (const auto& m : state["Messages"])
        loaded += m["Text"] == "Game loaded.";
    EXPECT_EQ(loaded, 1);
}

// The program ending ends the script: nothing after the exit event.
TEST(Sim, exitEndsTheScript) {
    const SimRun run = runSim(kData, "startup\ndump\n");
    ASSERT_EQ(run.exitCode, 0);
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.back()["event"], "exit");
    EXPECT_EQ(run.events("menu").at(0)["answer"], "exit") << "an unanswered menu exits";
}

// Same script, same output: start-up's seeding from the clock never makes a run differ.
TEST(Sim, runsAreDeterministic) {
    const std::string script =
        "seed 42\nanswer menu new\nanswer box yes\nanswer input Ann\nstartup\nkey Up\ntick 1\ndump layers\n";
    const SimRun a = runSim(kData, script), b = runSim(kData, script);
    ASSERT_EQ(a.exitCode, 0) << a.errors;
    EXPECT_EQ(a.lines, b.lines);
    const SimRun unseeded =
        runSim(kData, "answer menu new\nanswer box yes\nanswer input Ann\nstartup\ndump\n");
    const SimRun again = runSim(kData, "answer menu new\nanswer box yes\nanswer input Ann\nstartup\ndump\n");
    EXPECT_EQ(unseeded.lastDump()["Items"], again.lastDump()["Items"]);
}

// Queued draws come out first, whatever start-up seeds: draw 0.9 opens the first room's west wall.
TEST(Sim, queuedDrawsSurviveStartUpSeeding) {
    const SimRun run = runSim(
        kData,
        "draws 0.9 0.1 0.1\nanswer menu new\nanswer box yes\nanswer input Ann\nstartup\ndump layers\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto state = run.lastDump();
    EXPECT_EQ(state["MapItem"][5][0], 0) << "west opening of room (0, 0)";
    EXPECT_NE(state["MapItem"][0][5], 0) << "no north opening";
}

// Keys by name with modifiers (Pause and M among them), and the clock the script moves.
TEST(Sim, keysAndClock) {
    const SimRun run = runSim(
        kData, kNewGame + "clock 10\nkey Shift+Right\nkey Right\nadvance 0.5\nkey M\nkey Pause\ndump\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto state = run.lastDump();
    EXPECT_TRUE(state["overview"]);
    EXPECT_TRUE(state["paused"]);
    EXPECT_FLOAT_EQ(state["Clock"].get<float>(), 10.5f);
    EXPECT_EQ(state["Players"][state["CurrentPlayer"].get<int>() - 1]["Facing"], 4)
        << "two turns clockwise from south face west";
}

} // namespace
} // namespace gf::test
