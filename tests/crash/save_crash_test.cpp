// A saved game is never torn: a save killed at any moment leaves the last
// complete file or the new one, and saving what was loaded gives the same bytes.
#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "savegame/records.h"
#include "savegame/savegame.h"
#include "shell/text.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace gf {
namespace {

using test::TestGame;

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A level with a user's creature that carries things, some monsters and items.
int32_t buildGame(TestGame& t) {
    test::prepareEmptyLevel(t);
    Game& g = t.game;
    const int32_t me = modPlayer_Add(g, 0, 50, 50);
    g.CurrentPlayer = me;
    g.player(me).Name = fixedName("Crash");
    g.player(me).carry(1) = Item{true, 26, 0, 0, 0};
    g.player(me).carry(2) = Item{true, 27, 0, 0, 0};
    g.player(me).WeaponSlot = 1;
    for (int k = 0; k < 8; ++k)
        modPlayer_Add(g, static_cast<int16_t>(1 + k % 2), 40 + k, 45);
    for (int x = 30; x <= 70; ++x) {
        modItem_Add(g, 1, x, 30);
        modItem_Add(g, 1, x, 70);
    }
    modItem_Add(g, 24, 52, 52);
    return me;
}

// The byte offset of the user's gold in a file saved from this game.
std::size_t goldOffset(int32_t index) {
    return kCountSize + kPlayerRecordSize * static_cast<std::size_t>(index - 1) + 316;
}

std::string withGold(std::string bytes, int32_t index, int32_t gold) {
    RecordWriter w;
    w.int32(gold);
    bytes.replace(goldOffset(index), kCountSize, w.bytes());
    return bytes;
}

// Saving runs in a child killed at random moments, 200 times; every file left
// behind must load and be exactly one of the complete saves, never a mix.
TEST(SaveCrash, killedSaveLeavesACompleteFile) {
    TestGame writer;
    const int32_t me = buildGame(writer);
    writer.game.player(me).Gold = 0;
    ASSERT_TRUE(modFile_Save(writer.game, "Crash"));
    const std::filesystem::path file = writer.folder / "saved" / "Crash.saved";
    const std::string firstSave = readAll(file);
    ASSERT_EQ(RecordReader(std::string_view(firstSave).substr(goldOffset(me))).int32(), 0);

    TestGame reader;
    test::prepareEmptyLevel(reader);

    // Kill moments spread over a few saves' time, so many land inside one.
    const auto before = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i)
        modFile_Save(writer.game, "Crash");
    const auto saveMicros = std::max<long>(
        50, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - before)
                    .count() /
                5);
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<long> delay(0, 3 * saveMicros);

    int32_t lastSeen = 0;
    for (int kill = 0; kill < 200; ++kill) {
        const int32_t firstRound = lastSeen + 1;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int32_t round = firstRound;; ++round) {
                writer.game.player(me).Gold = round;
                modFile_Save(writer.game, "Crash");
            }
        }
        ::usleep(static_cast<useconds_t>(delay(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";

        const std::string left = readAll(file);
        ASSERT_GE(left.size(), goldOffset(me) + kCountSize) << "kill " << kill;
        const int32_t round = RecordReader(std::string_view(left).substr(goldOffset(me))).int32();
        ASSERT_GE(round, lastSeen) << "kill " << kill << ": an older save came back";
        ASSERT_EQ(left, withGold(firstSave, me, round)) << "kill " << kill << ": the file is torn";
        ASSERT_TRUE(modFile_Load(reader.game, file.string())) << "kill " << kill;
        ASSERT_EQ(reader.game.player(reader.game.CurrentPlayer).Gold, round);
        lastSeen = round;
    }
    EXPECT_TRUE(reader.io.log.of("msgbox").empty());
}

// A game saved, loaded and saved again is the same file: nothing is lost or
// reordered on the way through, free entries and carried items included.
TEST(SaveCrash, saveLoadSaveGivesTheSameBytes) {
    TestGame t;
    const int32_t me = buildGame(t);
    Game& g = t.game;
    g.player(me).Gold = 123456;
    g.player(me).skill(kMeleeSkill) = PlayerSkill{true, 17, 3, 250};
    g.player(2).Life = 1;
    modItem_Delete(g, 5); // a free entry between used ones
    ASSERT_TRUE(modFile_Save(g, "Crash"));
    const std::filesystem::path file = t.folder / "saved" / "Crash.saved";
    const std::string first = readAll(file);

    TestGame other;
    test::prepareEmptyLevel(other);
    ASSERT_TRUE(modFile_Load(other.game, file.string()));
    std::filesystem::remove(file);
    other.game.playerFolder = t.folder.string();
    ASSERT_TRUE(modFile_Save(other.game, "Crash"));
    EXPECT_EQ(readAll(file), first);
}

} // namespace
} // namespace gf
