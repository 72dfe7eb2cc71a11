// The real gloamfell-sim executable run on scripts, as a level author or an outside test would.
#include "savegame/records.h"
#include "util/files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace gf::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kData = GLOAMFELL_DATA_DIR;
const std::string kNewGame = "answer menu new\nanswer box no\nanswer input Ann\nstartup\n";

struct SimRun {
    int exitCode = 0;
    std::string output, errors;
    std::vector<json> lines; // the output's JSON lines
    // The events of a kind, or the states of the "dump" lines.
    std::vector<json> of(const std::string& kind) const {
        std::vector<json> found;
        for (const json& l : lines)
            if (l.contains(kind) || l.value("event", "") == kind) found.push_back(l.value(kind, l));
        return found;
    }
};

// The driver with these arguments, the script (if any) last, and nothing on standard input.
SimRun runSim(std::vector<std::string> args, const std::string& script = "") {
    static int counter = 0;
    const std::string base = (fs::temp_directory_path() / ("gloamfell-sim-" + std::to_string(::getpid()) +
                                                           "-" + std::to_string(counter++)))
                                 .string();
    if (!script.empty()) {
        std::ofstream(base + ".script") << script;
        args.push_back(base + ".script");
    }
    std::string command = std::string("'") + GLOAMFELL_SIM + "'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    const int status =
        std::system((command + " </dev/null >'" + base + ".out' 2>'" + base + ".err'").c_str());
    SimRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
               readDataFile(base + ".out"),
               readDataFile(base + ".err"),
               {}};
    std::istringstream out(run.output);
    for (std::string line; std::getline(out, line);)
        if (line.starts_with('{')) run.lines.push_back(json::parse(line));
    for (const char* ext : {".script", ".out", ".err"})
        fs::remove(base + ext);
    return run;
}

// The README's check: a new game with Ann on the start cell, after names the file cannot hold are
// asked again; then keys by name and number, the clock, and the log a new game or a load starts afresh.
TEST(Sim, newGameOnTheFirstLevelThenKeysClockAndLog) {
    const fs::path player = fs::temp_directory_path() / ("gloamfell-log-" + std::to_string(::getpid()));
    fs::create_directories(player);
    const std::string keys = "clock 10\nkey Shift+Right\nkey 39\nadvance 0.5\nkey 77\nkey 19\n";
    const std::string log = "key Pause\nmenu save\nadvance 6\ntick 2\nmenu save\ndump\nanswer box no\n"
                            "answer input Bob\nmenu new\ndump\nmenu save\nanswer file saved/Ann.saved\n"
                            "menu load\ndump\n";
    const std::string names = "answer input \u0141ukasz\nanswer input .hidden\n";
    const SimRun run =
        runSim({"--player", player.string(), kData}, names + kNewGame + "dump\n" + keys + "dump\n" + log);
    fs::remove_all(player);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto asked = run.of("input");
    ASSERT_EQ(asked.size(), 4u) << "three for Ann, one for Bob";
    EXPECT_NE(asked[1]["prompt"].get<std::string>().find("outside Latin-1"), std::string::npos);
    EXPECT_NE(asked[2]["prompt"].get<std::string>().find("\".hidden\" cannot name"), std::string::npos);
    const auto dumps = run.of("dump");
    ASSERT_EQ(dumps.size(), 5u);
    const json& state = dumps[0];
    const int me = state["CurrentPlayer"];
    ASSERT_GT(me, 0);
    const json& ann = state["Players"][me - 1];
    EXPECT_EQ(std::tuple(ann["Name"], ann["X"], ann["Y"]),
              std::tuple("Ann", state["StartX"], state["StartY"]));
    EXPECT_EQ(run.of("timers").size(), 2u) << "once at start-up, once for File, New";

    const json& later = dumps[1];
    EXPECT_EQ(std::tuple(later["overview"], later["paused"], later["Clock"]), std::tuple(true, true, 10.5));
    EXPECT_EQ(later["Players"][me - 1]["Facing"], 4) << "two turns clockwise from south face west";
    std::vector<std::string> logs;
    for (const json& dumped : dumps) {
        logs.emplace_back();
        for (const json& line : dumped["Log"])
            logs.back() +=
                line["Text"].get<std::string>() + " " + std::to_string(line["Color"].get<int>()) + "; ";
    }
    EXPECT_EQ(logs, (std::vector<std::string>{"", "", "Game saved. 65280; Game saved. 65280; ", "",
                                              "Game loaded. 65280; "}));
}

// A line or command line the driver cannot use stops it with status 2 and one line naming the fault.
TEST(Sim, mistakesExitWithTwoAndOneLine) {
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{kData}, "# a comment\n\nfrobnicate\ndump\n", "line 3"},
        {{kData}, "key NoSuchKey\ndump\n", "line 1"},
        {{kData}, "zoom 5\n", "zoom takes 1 to 4"},
        {{kData}, "view 1e300 1\n", "out of range for width"},
        {{kData}, "seed 1e300\n", "out of range for seed"},
        {{kData}, "seed nan\n", "not a finite number for seed"},
        {{kData}, "clock 1e39\n", "out of range for clock"},
        {{kData}, "draws 0.5 1\n", "a draw must lie from 0 to below 1"},
        {{kData}, "tick 1.5\n", "not a whole number for tick"},
        {{"--check", kData}, "", "unknown option --check"},
        {{"--soak", "/no/such/folder"}, "", "/no/such/folder is not a folder"},
        {{kData, "/no/such.script"}, "", "cannot read the script /no/such.script"},
        {{kData, kData}, "", "is a folder"},
        {{}, "", "expected FOLDER [SCRIPT]"},
    };
    for (const auto& [args, script, reason] : cases) {
        const SimRun run = runSim(args, script);
        EXPECT_EQ(run.exitCode, 2) << reason;
        EXPECT_NE(run.errors.find(reason), std::string::npos) << run.errors;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        EXPECT_EQ(run.output, "") << reason;
    }
    const SimRun exits = runSim({kData}, "startup\ndump\n");
    EXPECT_EQ(exits.exitCode, 0);
    EXPECT_EQ(exits.lines.back()["event"], "exit") << "the unanswered menu exits and ends the script";
}

// Same script, same output; queued draws come first: 0.9 opens the first room's west wall; `zoom N`
// shows the view N times larger, so fewer cells, and what the cells hold does not change.
TEST(Sim, runsAreDeterministicQueuedDrawsComeFirstAndZoomShowsFewerCells) {
    const std::string script =
        "draws 0.9 0.1 0.1\nanswer menu new\nanswer box yes\nanswer input Ann\n"
        "startup\nkey Up\ntick 1\ndump layers\nview 640 480\ndump\nzoom 2\ndump\nzoom 4\ndump\n";
    const SimRun a = runSim({kData}, script), b = runSim({kData}, script);
    ASSERT_EQ(a.exitCode, 0) << a.errors;
    EXPECT_EQ(a.lines, b.lines);
    const auto dumps = a.of("dump");
    ASSERT_EQ(dumps.size(), 4u);
    EXPECT_EQ(dumps[0]["MapItem"][5][0], 0) << "west opening of room (0, 0)";
    EXPECT_NE(dumps[0]["MapItem"][0][5], 0) << "no north opening";
    std::vector<json> cells;
    for (const json& state : std::vector<json>(dumps.begin() + 1, dumps.end())) {
        cells.push_back(state["viewCells"]);
        EXPECT_EQ(state["Players"], dumps[0]["Players"]);
    }
    EXPECT_EQ(cells, (std::vector<json>{{20, 16}, {10, 8}, {4, 4}}));
}

// A changed game asks before Exit, New or Load leave it; an unchanged, saved or loaded one does not.
TEST(Sim, leavingAChangedGameAsksFirst) {
    const std::string changed = kNewGame + "key Left\n";
    const fs::path player = fs::temp_directory_path() / ("gloamfell-leave-" + std::to_string(::getpid()));
    // the script; questions, then what leaving went on to: exits, file dialogs, name boxes (start-up asks
    // one); whether the game was saved
    using Counts = std::tuple<std::size_t, std::size_t, std::size_t, std::size_t>;
    const std::tuple<std::string, Counts, bool> cases[] = {
        {kNewGame + "menu exit\n", {0, 1, 0, 1}, false},
        {kNewGame + "raise 0\nmenu exit\n", {0, 1, 0, 1}, false}, // no spendable XP: nothing raised
        {changed + "answer save cancel\nmenu exit\n", {1, 0, 0, 1}, false},
        {changed + "answer save no\nmenu exit\n", {1, 1, 0, 1}, false},
        {changed + "answer save yes\nmenu exit\n", {1, 1, 0, 1}, true},
        {changed + "answer save cancel\nmenu new\n", {1, 0, 0, 1}, false},
        {changed + "answer save no\nanswer box no\nanswer input Bo\nmenu new\nmenu exit\n",
         {1, 1, 0, 2},
         false},
        {changed + "answer save cancel\nmenu load\n", {1, 0, 0, 1}, false},
        {changed + "answer save yes\nmenu load\n", {1, 0, 1, 1}, true},
        {changed + "menu save\nmenu load\nanswer file saved/Ann.saved\nmenu load\nmenu exit\n",
         {0, 1, 2, 1},
         true},
    };
    for (const auto& [script, events, saved] : cases) {
        fs::remove_all(player);
        const SimRun run = runSim({"--player", player.string(), kData}, script);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        std::size_t questions = 0;
        for (const json& box : run.of("msgbox"))
            questions += box["buttons"] == "savediscardcancel";
        EXPECT_EQ(
            std::tuple(questions, run.of("exit").size(), run.of("filedialog").size(), run.of("input").size()),
            events)
            << script;
        EXPECT_EQ(fs::exists(player / "saved" / "Ann.saved"), saved) << script;
    }
    fs::remove_all(player);
}

// The level header as a saved file holds it: version 1 sealed only the payload.
std::string levelBlock(int16_t version, const std::string& lower) {
    RecordWriter payload, block;
    payload.text("The Drowned Cells");
    payload.text(lower);
    payload.text("murkhol1");
    payload.int32(3);
    payload.int32(4);
    block.raw("GFLH");
    block.int16(version);
    block.text(payload.bytes());
    const std::string& sealed = version == 1 ? payload.bytes() : block.bytes();
    block.int32(static_cast<int32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(sealed.data()), static_cast<uInt>(sealed.size()))));
    return block.bytes();
}

// A sound level header sends the stairs where it says; a damaged or escaping one refuses the load.
TEST(Sim, savedLevelHeaderIsSealed) {
    const fs::path player = fs::temp_directory_path() / ("gloamfell-header-" + std::to_string(::getpid()));
    fs::remove_all(player);
    ASSERT_EQ(runSim({"--player", player.string(), kData}, kNewGame + "menu save\n").exitCode, 0);
    const std::string saved = readDataFile(player / "saved" / "Ann.saved");
    const auto count = [&](std::size_t at) {
        return static_cast<std::size_t>(RecordReader(std::string_view(saved).substr(at, 4)).int32());
    };
    const std::size_t itemsAt = 4 + 648 * count(0);
    const std::string tables = saved.substr(0, itemsAt + 4 + 16 * count(itemsAt));
    std::string flipped = saved;
    flipped[tables.size() + 4] ^= 1;
    const std::tuple<std::string, std::string, bool, std::string> cases[] = {
        {"today", saved, false, "murkhol2"},
        {"first", tables + levelBlock(1, "murkhol3"), false, "murkhol3"},
        {"escape", tables + levelBlock(2, "../../../../tmp/x/evil"), true, ""},
        {"flipped", flipped, true, ""},
        {"older", tables, false, ""},
        {"later", tables + levelBlock(3, "murkhol3"), false, ""},
        {"before any", tables + levelBlock(0, "murkhol3"), true, ""}, // no version 0 was ever written
    };
    for (const auto& [name, bytes, refused, lower] : cases) {
        std::ofstream(player / "saved" / (name + ".saved"), std::ios::binary) << bytes;
        const SimRun run = runSim({"--player", player.string(), kData},
                                  "answer menu load\nanswer file saved/" + name + ".saved\nstartup\ndump\n");
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        const auto boxes = run.of("msgbox");
        const auto dumps = run.of("dump");
        ASSERT_EQ(std::tuple(boxes.size(), dumps.size()), std::tuple(refused ? 1u : 0u, refused ? 0u : 1u));
        if (refused) {
            EXPECT_TRUE(boxes[0]["text"].get<std::string>().ends_with("after the tables is damaged"));
            continue;
        }
        EXPECT_EQ(dumps[0]["MapLower"], lower) << name;
        int nowhere = 0;
        for (const json& m : dumps[0]["Messages"])
            nowhere += m["InUse"] && m["Text"].get<std::string>().find("lead nowhere") != std::string::npos;
        EXPECT_EQ(nowhere, lower.empty() ? 1 : 0) << name;
    }
    fs::remove_all(player);
}

} // namespace
} // namespace gf::test
