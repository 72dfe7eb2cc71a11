#include "app/menus.h"
#include "app/timers.h"
#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "savegame/level_block.h"
#include "savegame/savegame.h"
#include "test_game.h"
#include "util/files.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <csignal>
#include <map>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace gf::test {
namespace {

namespace fs = std::filesystem;

// Offsets written out rather than taken from the code, so a moved field fails here.
constexpr std::size_t kRecord = 648;
constexpr std::size_t kItemsCountAt = 4 + 20 * kRecord;
constexpr std::size_t kFileSize = 28'968;
const std::string kName = "Zo\xEB"; // Latin-1, as the game holds names
constexpr std::size_t creatureAt(int i) {
    return 4 + static_cast<std::size_t>(i - 1) * kRecord;
}
constexpr std::size_t itemAt(int i) {
    return kItemsCountAt + 4 + static_cast<std::size_t>(i - 1) * 16;
}

// A little-endian number of `width` bytes at `at`; width 0 cuts the file there instead.
void put(std::string& bytes, std::size_t at, int width, int64_t v) {
    if (width == 0) bytes.resize(at);
    for (int k = 0; k < width; ++k)
        bytes[at + k] = static_cast<char>(v >> (8 * k));
}

// The little-endian signed number of `width` bytes at `at`.
int64_t numberAt(const std::string& bytes, std::size_t at, int width) {
    uint64_t u = 0;
    for (int k = width - 1; k >= 0; --k)
        u = (u << 8) | static_cast<uint8_t>(bytes[at + k]);
    const int unused = 64 - 8 * width;
    return static_cast<int64_t>(u << unused) >> unused;
}

// Zoë (1) at (10, 10), every field distinct; a rat (2) and a goblin (3); gold, a wall and a dagger.
struct SavedGame : EmptyLevel {
    fs::path file = t.folder / "saved" / "Zo\xC3\xAB.saved"; // the UTF-8 name the desktop shows

    SavedGame() {
        g.level.startX = g.level.startY = 10;
        t.io.window.inputAnswers.push_back(kName);
        t.io.random.queue(0.5f);
        createUser(g);
        Creature& a = g.creatures(1);
        std::tie(a.homeX, a.homeY, a.image, a.facing, a.level, a.nextLevelXp, a.xp, a.spendableXp, a.life,
                 a.maxLife, a.stamina, a.maxStamina, a.sightRange, a.inCombat, a.combatPenalty, a.gold,
                 a.weaponSlot, a.armourSlot) = std::tuple(11, 12, -3, 7, 4, 1234, 5678, 91, 33, 60, 77, 120,
                                                          99, true, 15, 2'000'000'000, 20, 20);
        a.skill(3) = CreatureSkill{true, 17, 2, 450};
        a.skill(10) = CreatureSkill{false, -5, 0, 70000};
        a.carry(1) = Item{true, 26, 3, 4, 0};
        a.carry(20) = Item{true, 27, 5, 6, 0};
        EXPECT_EQ(addCreature(g, 1, 10, 30), 2);
        EXPECT_EQ(addCreature(g, 2, 100, 100), 3);
        std::tie(g.creatures(2).facing, g.creatures(3).facing) = std::tuple(9, 0); // the facings' bounds
        for (const auto& [id, x, y, index] : {std::tuple{17, 0, 0, 1}, {1, 11, 10, 2}, {26, 10, 10, 3}})
            EXPECT_EQ(addItem(g, static_cast<int16_t>(id), x, y), index);
        g.level.name = "Level One";
    }
    bool save() { return saveGameFile(g, kName); }
    std::string saved() { return readDataFile(file); }
};

// The file's bytes: counts, the name field, field offsets, free entries all zero, then the level.
TEST(SavedGame, fileHasTheRecordLayout) {
    SavedGame s;
    s.g.creatures(1).nextMoveTime = 1.5f;
    ASSERT_TRUE(s.save());
    const std::string b = s.saved();
    ASSERT_GT(b.size(), kFileSize);
    EXPECT_EQ(b.substr(kFileSize, 4), "GFLH");
    EXPECT_EQ(numberAt(b, kFileSize + 4, 2), 2) << "the block's version, whatever the program's";
    const std::size_t zoe = creatureAt(1), rat = creatureAt(2), skill3 = zoe + 162 + 2 * 14;
    // clang-format off
    const std::tuple<std::size_t, int, int64_t> fields[] = {
        {0, 4, 20}, {zoe, 2, -1}, {zoe + 106, 4, 10}, {zoe + 118, 4, 12}, {zoe + 122, 2, -3}, {zoe + 124, 2, 7},
        {zoe + 158, 4, 99}, {skill3, 2, -1}, {skill3 + 10, 4, 450}, {zoe + 302, 4, std::bit_cast<int32_t>(1.5f)},
        {zoe + 310, 2, -1}, {zoe + 316, 4, 2'000'000'000}, {zoe + 320 + 19 * 16 + 2, 2, 27}, {zoe + 640, 4, 20},
        {zoe + 644, 4, 20}, {rat + 2, 4, 1}, {rat + 106, 4, 10}, {rat + 110, 4, 30}, {kItemsCountAt, 4, 1000}};
    // clang-format on
    for (const auto& [at, width, value] : fields)
        EXPECT_EQ(numberAt(b, at, width), value) << "at " << at;
    EXPECT_EQ(b.substr(zoe + 6, 100), kName + std::string(97, ' '));
    EXPECT_EQ(b.substr(creatureAt(4), 17 * kRecord), std::string(17 * kRecord, '\0'));
    EXPECT_EQ(b.substr(itemAt(1), 16), std::string("\xFF\xFF\x11\0\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(b.substr(itemAt(3), 16), std::string("\xFF\xFF\x1A\0\x0A\0\0\0\x0A\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(b.substr(itemAt(4), 997 * 16), std::string(997 * 16, '\0'));
}

// Loaded and saved again, a game gives the same bytes but for its clock readings; nothing else is kept.
TEST(SavedGame, loadThenSaveGivesTheSameBytes) {
    SavedGame s;
    removeItem(s.g, 1); // a free entry below used ones
    s.g.creatures(1).nextMoveTime = 80000.5f;
    s.g.creatures(2).nextAttackTime = 86000.0f;
    ASSERT_TRUE(s.save());
    std::string expected = s.saved();
    put(expected, creatureAt(1) + 302, 4, 0);
    put(expected, creatureAt(2) + 306, 4, 0);
    s.t.write("saved/" + s.file.filename().string(), s.saved() + std::string(5000, '\x7F'));

    SavedGame other;
    Game& o = other.g;
    std::tie(o.level.name, o.level.lower, o.level.upper) = std::tuple("Elsewhere", "Below", "Above");
    o.items.resize(2000);
    ASSERT_TRUE(other.save());
    ASSERT_GT(other.saved().size(), expected.size() + 1000 * 16);
    o.level.visible(10, 10) = true;
    o.level.light(3, 3) = 4;
    removeCreature(o, 1);
    ASSERT_TRUE(loadGameFile(o, s.file.string()));
    EXPECT_EQ(boxTexts(other.t), Texts{});
    EXPECT_EQ(std::tuple(o.creatures.current, o.screen.viewX, o.screen.viewY, o.level.creatureAt(10, 30),
                         o.level.creatureAt(100, 100), o.level.creatureAt(10, 10), o.level.itemAt(0, 0),
                         o.level.itemAt(11, 10), o.level.itemAt(10, 10), o.level.visible(10, 10),
                         o.level.light(3, 3), o.screen.caption),
              std::tuple(1, 10, 10, 2, 3, 1, 0, 2, 3, false, 0, "Gloamfell (ver 1.1.4)  : Level One"));
    ASSERT_TRUE(other.save());
    EXPECT_EQ(other.saved(), expected);
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(other.file.parent_path()), {}),
              std::vector{other.file});
    EXPECT_EQ(addItem(o, 1, 50, 50), 1) << "the loaded table is searched from its start";
}

// Save asks before replacing another game's file; No keeps it. A loaded game runs at once.
TEST(SavedGame, saveAsksBeforeReplacingAnotherGamesFile) {
    SavedGame s;
    fs::create_directory(s.t.folder / "saved");
    s.t.write("saved/" + s.file.filename().string(), "an earlier game");
    s.t.io.window.boxAnswers = {Answer::No};
    onSaveGame(s.g);
    EXPECT_EQ(s.saved(), "an earlier game");
    EXPECT_EQ(shownMessages(s.g).back(), "Game not saved.");
    EXPECT_EQ(boxTexts(s.t), Texts{"A saved game named Zo\xC3\xAB already exists. Replace it?"});

    s.t.io.window.boxAnswers = {Answer::Yes};
    onSaveGame(s.g);
    EXPECT_EQ(shownMessages(s.g).back(), "Game saved.");
    EXPECT_GT(s.saved().size(), kFileSize);
    onSaveGame(s.g);
    EXPECT_EQ(std::tuple(boxTexts(s.t).size(), shownMessages(s.g).back()),
              std::tuple(std::size_t{2}, "Game saved."))
        << "the file this game wrote is replaced without a word";

    SavedGame loaded;
    setPaused(loaded.g, true);
    loaded.t.io.window.fileAnswers = {s.file.string()};
    onLoadGame(loaded.g);
    EXPECT_EQ(std::tuple(shownMessages(loaded.g).back(), loaded.g.screen.paused),
              std::tuple("Game loaded.", false));
    loaded.g.playerFolder = s.g.playerFolder;
    onSaveGame(loaded.g);
    EXPECT_EQ(boxTexts(loaded.t), Texts{}) << "nor is the file it was loaded from";

    const fs::path copy = s.file.parent_path() / "copy.saved"; // a copy holds the same creature
    fs::copy_file(s.file, copy);
    loaded.t.io.window.fileAnswers = {copy.string()};
    loaded.t.io.window.boxAnswers = {Answer::No};
    onLoadGame(loaded.g);
    onSaveGame(loaded.g);
    EXPECT_EQ(boxTexts(loaded.t).size(), 1u)
        << "a game loaded from a copy asks before replacing the original";
}

// Each unsound file is refused with a box naming the fault, the running game untouched.
TEST(SavedGame, unsoundFilesAreRefusedUntouched) {
    struct Change {
        std::size_t at;
        int width; // of the number written there; 0 cuts the file there
        int64_t value;
    };
    // clang-format off
    const std::pair<const char*, std::vector<Change>> cases[] = {
        {"The file is too short to hold the number of creature", {{0, 0, 0}}},
        {"The file is too short to hold the number of item", {{kItemsCountAt + 3, 0, 0}}},
        {"The file is cut short", {{kFileSize - 1, 0, 0}, {0, 4, 45}, {kItemsCountAt, 4, 1100}}},
        {"The level header after the tables is damaged",
         {{kFileSize + 10, 0, 0}, {kFileSize + 14, 1, 1}, {kFileSize + 4, 1, 3}, {kFileSize + 4, 2, 0},
          {kFileSize + 6, 4, 1 << 30}, {kFileSize + 6, 4, -1},
          {kFileSize + 6, 4, 40}}}, // a payload running a few bytes past the block's end
        {"The file announces 0 creature entries", {{0, 4, 0}}},
        {"The file announces 0 item entries", {{kItemsCountAt, 4, 0}}},
        {"The file announces 2000000000 item", {{kItemsCountAt, 4, 2'000'000'000}}},
        {"Creature 2 stands off the map at (-1, 30)", {{creatureAt(2) + 106, 4, -1}}},
        {"Creature 3 stands off the map at (100, 101)", {{creatureAt(3) + 110, 4, 101}}},
        {"Creature 2 and creature 1 stand on one cell (10, 10)", {{creatureAt(2) + 110, 4, 10}}},
        {"Creature 2 faces 10, not a direction", {{creatureAt(2) + 124, 2, 10}}},
        {"Creature 3 faces -1, not a direction", {{creatureAt(3) + 124, 2, -1}}},
        {"Creature 2 has monster type 3", {{creatureAt(2) + 2, 4, 3}}},
        {"Creature 2 has monster type -1", {{creatureAt(2) + 2, 4, -1}}},
        {"The file holds no user's creature", {{creatureAt(1) + 2, 4, 2}}},
        {"Creatures 1 and 3 are both the user's creature", {{creatureAt(3) + 2, 4, 0}}},
        {"Creature 1's carry slot 1 has item number 99", {{creatureAt(1) + 322, 2, 99}}},
        {"Creature 1 readies a carry slot", {{creatureAt(1) + 640, 4, 21}, {creatureAt(1) + 644, 4, -1}}},
        {"Item 2 lies off the map", {{itemAt(2) + 4, 4, 101}, {itemAt(2) + 8, 4, -1}}},
        {"Item 3 and item 2 lie on one cell (11, 10)", {{itemAt(3) + 4, 4, 11}}},
        {"Item 2 has item number 29", {{itemAt(2) + 2, 2, 29}}},
        {"Item 2 has item number 0", {{itemAt(2) + 2, 2, 0}}},
        {"", {{kFileSize, 0, 0}, {kFileSize, 4, 0x7F7F7F7F}}}};
    // clang-format on
    SavedGame s;
    ASSERT_TRUE(s.save());
    const fs::path bad = s.t.folder / "bad.saved";
    removeCreature(s.g, 3);
    removeItem(s.g, 1);
    std::tie(s.g.level.name, s.g.screen.caption) = std::tuple("Elsewhere", "running");
    // What a load that applied part of the file would change.
    const auto state = [&] {
        return std::tuple(s.g.creatures.current, s.g.creatures(3).active, s.g.items(1).inUse,
                          s.g.level.creatureAt(100, 100), s.g.level.itemAt(0, 0), s.g.items.size(),
                          s.g.level.name, s.g.screen.caption);
    };
    const auto before = state();
    EXPECT_FALSE(loadGameFile(s.g, (s.t.folder / "nothing.saved").string()));
    EXPECT_TRUE(boxTexts(s.t).at(0).starts_with("Error_modFile_Load : File not found: "));
    for (const auto& [box, changes] : cases)
        for (const Change& c : changes) {
            std::string b = s.saved();
            put(b, c.at, c.width, c.value);
            s.t.write("bad.saved", b);
            s.t.io.log.events.clear();
            const bool loads = *box == '\0';
            EXPECT_EQ(loadGameFile(s.g, bad.string()), loads) << box << " at " << c.at;
            const auto boxes = boxTexts(s.t);
            ASSERT_EQ(boxes.size(), loads ? 0u : 1u) << box << " at " << c.at;
            if (loads) {
                EXPECT_EQ(std::tuple(s.g.level.name, s.g.screen.caption), std::tuple("Elsewhere", "running"))
                    << c.at;
            } else {
                EXPECT_TRUE(boxes[0].starts_with(std::string("Error_modFile_Load : ") + box)) << boxes[0];
                EXPECT_EQ(state(), before) << box;
            }
        }
}

// A save killed at any moment leaves one complete save, never a mix nor an older one.
TEST(SavedGame, killedSaveLeavesACompleteFile) {
    SavedGame writer, reader;
    writer.g.creatures(1).gold = 0;
    ASSERT_TRUE(writer.save());
    const std::string first = writer.saved();
    // Kill moments spread over a few saves' time, so many land inside one.
    const auto start = std::chrono::steady_clock::now();
    writer.save();
    const auto took = std::chrono::steady_clock::now() - start;
    std::uniform_int_distribution<long> delay(
        0, 3 * std::max<long>(50, std::chrono::duration_cast<std::chrono::microseconds>(took).count()));
    std::mt19937 rng(20261206);
    int64_t lastSeen = 0;
    for (int kill = 0; kill < 200; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int64_t round = lastSeen + 1;; ++round) {
                writer.g.creatures(1).gold = static_cast<int32_t>(round);
                writer.save();
            }
        }
        ::usleep(static_cast<useconds_t>(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";
        const std::string left = writer.saved();
        ASSERT_GE(left.size(), kFileSize) << "kill " << kill;
        const int64_t round = numberAt(left, creatureAt(1) + 316, 4);
        ASSERT_GE(round, lastSeen) << "kill " << kill << ": an older save came back";
        std::string expected = first;
        put(expected, creatureAt(1) + 316, 4, round);
        ASSERT_EQ(left, expected) << "kill " << kill << ": the file is torn";
        ASSERT_TRUE(loadGameFile(reader.g, writer.file.string())) << "kill " << kill;
        lastSeen = round;
    }
}

// Every file under the program folder with its bytes; a failed save leaves no temporary behind either.
std::map<fs::path, std::string> filesUnder(const fs::path& folder) {
    std::map<fs::path, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        files[e.path()] = e.is_regular_file() ? readDataFile(e.path()) : "";
    return files;
}

// A save that cannot finish, or whose name could reach outside saved/, says so and changes no file.
TEST(SavedGame, failedSaveChangesNoFile) {
    struct Case {
        std::string name;
        void (*block)(SavedGame& s);
        const char* box;
    };
    const auto none = [](SavedGame&) {};
    const Case cases[] = {
        {kName, [](SavedGame& s) { fs::remove_all(s.file.parent_path()), s.t.write("saved", "-"); },
         "is not a folder"},
        {kName, [](SavedGame& s) { fs::remove(s.file), fs::create_symlink("../victim", s.file); },
         "is a link"},
        {kName, [](SavedGame& s) { fs::remove(s.file), fs::create_directory(s.file); }, "Cannot write"},
        {kName, [](SavedGame& s) { s.g.playerFolder = (s.t.folder / "victim").string(); },
         "Cannot create the folder"},
        {kName, [](SavedGame& s) { s.g.creatures.clear(), s.g.items.clear(); }, "There is no game to save"},
        {"", none, "A saved game needs a name"}};
    const auto descriptors = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto open = descriptors(); // saved over and over, a leak would run the game out of files
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (const char* name : {"../Zo", "a\\b", "C:Zo", "Zo\x1F", "\x7F", "Zo\x9F", ".."})
        all.push_back({name, none, "may not hold"});
    for (const Case& c : all) {
        SavedGame s;
        ASSERT_TRUE(s.save());
        s.t.write("victim", "the user's own file");
        s.g.creatures(1).gold = 7;
        c.block(s);
        s.t.io.log.events.clear();
        const auto before = filesUnder(s.t.folder);
        EXPECT_FALSE(saveGameFile(s.g, c.name)) << c.name;
        EXPECT_TRUE(filesUnder(s.t.folder) == before) << c.name;
        const auto boxes = boxTexts(s.t);
        ASSERT_EQ(boxes.size(), 1u) << c.name;
        EXPECT_TRUE(boxes[0].starts_with("Error_modFile_Save : ") &&
                    boxes[0].find(c.box) != std::string::npos)
            << boxes[0];
    }
    SavedGame s; // a space, a no-break space and the ends of Latin-1 are letters of a name
    for (const char* name : {"Zo Ann", "Zo\xA0", "~\xFF"})
        EXPECT_TRUE(saveGameFile(s.g, name)) << boxTexts(s.t).back();
    EXPECT_EQ(descriptors(), open);
}

// The save never writes through a link planted for its temporary file; saved/ itself may be a link.
TEST(SavedGame, saveNeverWritesThroughAPlantedLink) {
    SavedGame s;
    fs::create_directories(s.t.folder / "elsewhere");
    fs::create_directory_symlink("elsewhere", s.t.folder / "saved");
    const fs::path victim = s.t.folder / "victim";
    s.t.write("victim", "the user's own file");
    for (const std::string& tail : {std::string(".tmp"), "." + std::to_string(::getpid()) + ".tmp"})
        fs::create_symlink(victim, s.file.string() + tail);
    ASSERT_TRUE(s.save());
    EXPECT_EQ(readDataFile(victim), "the user's own file");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(s.t.folder / "elsewhere" / s.file.filename())));
    EXPECT_GT(s.saved().size(), kFileSize);
}

} // namespace
} // namespace gf::test
