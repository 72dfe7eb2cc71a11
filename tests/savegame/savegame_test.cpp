#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "savegame/level_block.h"
#include "savegame/savegame.h"
#include "shell/menus.h"
#include "shell/text.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <tuple>
#include <unistd.h>

namespace gf::test {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPlayersAt = 4;
constexpr std::size_t kRecord = 648;
constexpr std::size_t kItemsCountAt = 4 + 20 * kRecord;
constexpr std::size_t kItemsAt = kItemsCountAt + 4;
constexpr std::size_t kFileSize = 28'968;

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void putInt32(std::string& bytes, std::size_t at, int32_t v) {
    for (int k = 0; k < 4; ++k)
        bytes[at + k] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * k)) & 0xFF);
}

int32_t int32At(const std::string& bytes, std::size_t at) {
    uint32_t u = 0;
    for (int k = 3; k >= 0; --k)
        u = (u << 8) | static_cast<uint8_t>(bytes[at + k]);
    return static_cast<int32_t>(u);
}

int16_t int16At(const std::string& bytes, std::size_t at) {
    return static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

// Ann (entry 1) at (10, 10) with every field distinct, a rat (2) and a goblin (3),
// a door, a wall and a dagger on the floor.
struct SavedGame {
    TestGame t;
    Game& g = t.game;
    fs::path file = t.folder / "saved" / "Ann.saved";

    SavedGame() {
        prepareEmptyLevel(t);
        g.StartX = g.StartY = 10;
        t.io.window.inputAnswers.push_back("Ann");
        t.io.random.queue(0.5f);
        modPlayer_Setup(g);
        Player& a = g.Players(1);
        a.HomeX = 11;
        a.HomeY = 12;
        a.Image = -3;
        a.Facing = 7;
        a.Level = 4;
        a.NextLevelXP = 1234;
        a.XP = 5678;
        a.SpendableXP = 91;
        a.Life = 33;
        a.MaxLife = 60;
        a.Stamina = 77;
        a.MaxStamina = 120;
        a.SightRange = 99;
        a.skill(3) = PlayerSkill{true, 17, 2, 450};
        a.skill(10) = PlayerSkill{false, -5, 0, 70000};
        a.InCombat = true;
        a.CombatPenalty = 15;
        a.Gold = 2'000'000'000;
        a.carry(1) = Item{true, 26, 3, 4, 0};
        a.carry(20) = Item{true, 27, 5, 6, 0};
        a.WeaponSlot = 1;
        a.ArmorSlot = 20;
        EXPECT_EQ(modPlayer_Add(g, 1, 20, 30), 2);
        EXPECT_EQ(modPlayer_Add(g, 2, 100, 100), 3);
        EXPECT_EQ(modItem_Add(g, 17, 0, 0), 1);
        EXPECT_EQ(modItem_Add(g, 1, 11, 10), 2);
        EXPECT_EQ(modItem_Add(g, 26, 10, 10), 3);
        g.MapName = "Level One";
    }
    bool save() { return modFile_Save(g, "Ann"); }
    std::string saved() { return readFile(file); }
    std::vector<std::string> boxes() {
        std::vector<std::string> out;
        for (const auto& e : t.io.log.of("msgbox"))
            out.push_back(e["text"]);
        return out;
    }
};

// Every field of the record, in file order, so a field lost on the way shows in the diff.
auto fields(const Player& p) {
    return std::tuple(p.Active, p.MonsterType, p.Name, p.X, p.Y, p.HomeX, p.HomeY, p.Image, p.Facing, p.Level,
                      p.NextLevelXP, p.XP, p.SpendableXP, p.Life, p.MaxLife, p.Stamina, p.MaxStamina,
                      p.SightRange, p.NextMoveTime, p.NextAttackTime, p.InCombat, p.CombatPenalty, p.Gold,
                      p.WeaponSlot, p.ArmorSlot);
}

void expectSamePlayer(const Player& a, const Player& b) {
    EXPECT_EQ(fields(a), fields(b));
    for (int s = 1; s <= kSkillCount; ++s) {
        const PlayerSkill &x = a.skill(s), &y = b.skill(s);
        EXPECT_EQ(std::tie(x.Known, x.Value, x.Raises, x.XPToRaise),
                  std::tie(y.Known, y.Value, y.Raises, y.XPToRaise))
            << "skill " << s;
    }
    EXPECT_EQ(a.Carry, b.Carry);
}

// The bytes of the file: counts, the name field, field offsets, free entries all zero, then the level.
TEST(SavedGame, fileHasTheRecordLayout) {
    SavedGame s;
    s.g.Players(1).NextMoveTime = 1.5f;
    ASSERT_TRUE(s.save());
    const std::string b = s.saved();
    ASSERT_GT(b.size(), kFileSize);
    EXPECT_EQ(b.substr(kFileSize, 4), "GFLH");
    EXPECT_EQ(b.substr(0, 4), std::string("\x14\0\0\0", 4));
    const std::size_t ann = kPlayersAt;
    EXPECT_EQ(int16At(b, ann + 0), -1);
    EXPECT_EQ(b.substr(ann + 6, 100), "Ann" + std::string(97, ' '));
    EXPECT_EQ(int32At(b, ann + 106), 10);
    EXPECT_EQ(int32At(b, ann + 118), 12);
    EXPECT_EQ(int16At(b, ann + 122), -3);
    EXPECT_EQ(int16At(b, ann + 124), 7);
    EXPECT_EQ(int32At(b, ann + 158), 99);
    EXPECT_EQ(int16At(b, ann + 162 + 2 * 14), -1); // skill 3 known
    EXPECT_EQ(int32At(b, ann + 162 + 2 * 14 + 10), 450);
    EXPECT_EQ(int32At(b, ann + 302), std::bit_cast<int32_t>(1.5f));
    EXPECT_EQ(int16At(b, ann + 310), -1);
    EXPECT_EQ(int32At(b, ann + 316), 2'000'000'000);
    EXPECT_EQ(int16At(b, ann + 320 + 19 * 16 + 2), 27); // carry slot 20
    EXPECT_EQ(int32At(b, ann + 644), 20);
    EXPECT_EQ(int32At(b, kPlayersAt + kRecord + 2), 1); // the rat's monster type
    EXPECT_EQ(int32At(b, kPlayersAt + kRecord + 106), 20);
    EXPECT_EQ(int32At(b, kPlayersAt + kRecord + 110), 30);
    EXPECT_EQ(b.substr(kPlayersAt + 3 * kRecord, 17 * kRecord), std::string(17 * kRecord, '\0'));
    EXPECT_EQ(int32At(b, kItemsCountAt), 1000);
    EXPECT_EQ(b.substr(kItemsAt, 16), std::string("\xFF\xFF\x11\0\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(b.substr(kItemsAt + 2 * 16, 16), std::string("\xFF\xFF\x1A\0\x0A\0\0\0\x0A\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(b.substr(kItemsAt + 3 * 16, 997 * 16), std::string(997 * 16, '\0'));
}

// Everything saved comes back field for field, and the layers are rebuilt from it.
TEST(SavedGame, loadRestoresEveryFieldAndTheLayers) {
    SavedGame s;
    ASSERT_TRUE(s.save());
    const Table<Player> players = s.g.Players;
    const Table<Item> items = s.g.Items;

    SavedGame other;
    other.g.MapVisible(10, 10) = true;
    other.g.MapLight(3, 3) = 4;
    modPlayer_Remove(other.g, 1);
    ASSERT_TRUE(modFile_Load(other.g, s.file.string()));
    EXPECT_TRUE(other.boxes().empty());
    ASSERT_EQ(other.g.Players.ubound(), 20);
    for (int i = 1; i <= 20; ++i)
        expectSamePlayer(other.g.Players(i), players(i));
    ASSERT_EQ(other.g.Items.ubound(), 1000);
    for (int i = 1; i <= 1000; ++i)
        EXPECT_EQ(other.g.Items(i), items(i));
    EXPECT_EQ(other.g.CurrentPlayer, 1);
    EXPECT_EQ(other.g.ViewX, 10);
    EXPECT_EQ(other.g.ViewY, 10);
    EXPECT_EQ(other.g.MapPlayer(20, 30), 2);
    EXPECT_EQ(other.g.MapPlayer(100, 100), 3);
    EXPECT_EQ(other.g.MapItem(11, 10), 2);
    EXPECT_FALSE(other.g.MapVisible(10, 10));
    EXPECT_EQ(other.g.MapLight(3, 3), 0);
    EXPECT_EQ(other.g.MapName, "Level One");
    // The loaded table is searched from its start: entry 4 is its lowest free one.
    EXPECT_EQ(modItem_Add(other.g, 1, 50, 50), 4);
}

// Save, load, save again: the same bytes, so nothing is lost or invented on the way.
TEST(SavedGame, saveLoadSaveIsByteIdentical) {
    SavedGame s;
    ASSERT_TRUE(s.save());
    const std::string first = s.saved();
    ASSERT_TRUE(modFile_Load(s.g, s.file.string()));
    ASSERT_TRUE(s.save());
    EXPECT_EQ(s.saved(), first);
}

// Clock readings of another day would freeze creatures; a loaded game starts them afresh.
TEST(SavedGame, loadedClockReadingsAreCleared) {
    SavedGame s;
    s.g.Players(1).NextMoveTime = 80000.5f;
    s.g.Players(2).NextAttackTime = 86000.0f;
    ASSERT_TRUE(s.save());
    ASSERT_TRUE(modFile_Load(s.g, s.file.string()));
    for (const Player& p : s.g.Players) {
        EXPECT_EQ(p.NextMoveTime, 0.0f);
        EXPECT_EQ(p.NextAttackTime, 0.0f);
    }
}

// A new save replaces an older, longer one whole, and anything after the level header is never read.
TEST(SavedGame, olderLongerFilesLeaveNoTail) {
    SavedGame s;
    ASSERT_TRUE(s.save());
    const std::size_t block = s.saved().size() - kFileSize;
    s.g.Items.redimPreserve(2000);
    ASSERT_TRUE(s.save());
    EXPECT_EQ(s.saved().size(), kFileSize + 1000 * 16 + block);
    s.g.Items.redimPreserve(1000);
    ASSERT_TRUE(s.save());
    std::string b = s.saved();
    EXPECT_EQ(b.size(), kFileSize + block);
    writeFile(s.file, b + std::string(5000, '\x7F'));
    ASSERT_TRUE(modFile_Load(s.g, s.file.string()));
    EXPECT_EQ(s.g.Items.ubound(), 1000);
}

// The level header after the tables comes back with the caption; a file without it (or with a
// later version's) loads as before, keeping the running level; a damaged one is refused.
TEST(SavedGame, levelHeaderTravelsAfterTheTables) {
    struct Case {
        const char* what;
        void (*edit)(std::string&);
        bool loads;
        bool restores;
    };
    const Case cases[] = {
        {"saved with it", [](std::string&) {}, true, true},
        {"saved before it", [](std::string& b) { b.resize(kFileSize); }, true, false},
        {"something else after the tables",
         [](std::string& b) { b = b.substr(0, kFileSize) + "\x7F\x7F\x7F\x7F\x7F"; }, true, false},
        {"a later version", [](std::string& b) { b[kFileSize + 4] = 2; }, true, false},
        {"a damaged name", [](std::string& b) { b[kFileSize + 14] ^= 1; }, false, false},
        {"cut short", [](std::string& b) { b.resize(b.size() - 2); }, false, false},
    };
    SavedGame s;
    s.g.MapLower = "Level Two";
    s.g.StartX = 10;
    s.g.StartY = 10;
    ASSERT_TRUE(s.save());
    const std::string good = s.saved();
    for (const Case& c : cases) {
        SavedGame other;
        other.g.MapName = "Elsewhere";
        other.g.MapLower = "Below";
        other.g.MapUpper = "Above";
        other.g.Caption = "running";
        std::string b = good;
        c.edit(b);
        const fs::path file = other.t.folder / "edited.saved";
        writeFile(file, b);
        other.t.io.log.events.clear();
        EXPECT_EQ(modFile_Load(other.g, file.string()), c.loads) << c.what;
        const LevelHeader now = levelHeaderOf(other.g);
        if (c.restores) {
            EXPECT_EQ(now, (LevelHeader{"Level One", "Level Two", "", 10, 10})) << c.what;
            EXPECT_EQ(other.g.Caption, "Gloamfell (ver 1.1.4)  : Level One") << c.what;
            EXPECT_EQ(other.t.io.log.of("caption").size(), 1u) << c.what;
        } else {
            EXPECT_EQ(now, (LevelHeader{"Elsewhere", "Below", "Above", 10, 10})) << c.what;
            EXPECT_EQ(other.g.Caption, "running") << c.what;
        }
        const std::vector<std::string> refusal = {
            "Error_modFile_Load : The level header after the tables is damaged"};
        EXPECT_EQ(other.boxes(), c.loads ? std::vector<std::string>{} : refusal) << c.what;
    }
}

// Save asks before replacing a file this game neither came from nor wrote; No keeps it and says so.
TEST(SavedGame, saveAsksBeforeReplacingAnotherGamesFile) {
    SavedGame s;
    fs::create_directory(s.t.folder / "saved");
    writeFile(s.file, "an earlier Ann's game");
    const auto questions = [&] { return s.t.io.log.of("msgbox").size(); };
    const auto said = [&](const std::string& text) {
        for (const Message& m : s.g.Messages)
            if (m.InUse && m.Text == text) return true;
        return false;
    };
    s.t.io.window.boxAnswers = {Answer::No};
    mnuFileSave_Click(s.g);
    EXPECT_EQ(s.saved(), "an earlier Ann's game");
    EXPECT_TRUE(said("Game not saved."));
    ASSERT_EQ(questions(), 1u);
    EXPECT_EQ(s.t.io.log.of("msgbox")[0]["text"], "A saved game named Ann already exists. Replace it?");

    s.t.io.window.boxAnswers = {Answer::Yes};
    mnuFileSave_Click(s.g);
    EXPECT_TRUE(said("Game saved."));
    EXPECT_GT(s.saved().size(), kFileSize);
    mnuFileSave_Click(s.g);
    EXPECT_EQ(questions(), 2u) << "the file this game wrote is replaced without a word";

    SavedGame loaded;
    ASSERT_TRUE(modFile_Load(loaded.g, s.file.string()));
    loaded.g.folder = s.g.folder;
    mnuFileSave_Click(loaded.g);
    EXPECT_TRUE(loaded.t.io.log.of("msgbox").empty()) << "nor is the file it was loaded from";
}

// Snapshot of what a refused load must leave untouched.
struct Untouched {
    explicit Untouched(Game& g)
        : g(g), players(g.Players), items(g.Items), current(g.CurrentPlayer), mapItem(g.MapItem),
          mapPlayer(g.MapPlayer) {}
    void check(const std::string& what) {
        ASSERT_EQ(g.Players.ubound(), players.ubound()) << what;
        ASSERT_EQ(g.Items.ubound(), items.ubound()) << what;
        for (int i = 1; i <= players.ubound(); ++i)
            ASSERT_EQ(g.Players(i).X, players(i).X) << what;
        for (int i = 1; i <= items.ubound(); ++i)
            ASSERT_EQ(g.Items(i), items(i)) << what;
        ASSERT_EQ(g.CurrentPlayer, current) << what;
        for (int x = 0; x <= 100; ++x)
            for (int y = 0; y <= 100; ++y) {
                ASSERT_EQ(g.MapItem(x, y), mapItem(x, y)) << what;
                ASSERT_EQ(g.MapPlayer(x, y), mapPlayer(x, y)) << what;
            }
    }
    Game& g;
    Table<Player> players;
    Table<Item> items;
    int32_t current;
    Layer<int32_t> mapItem;
    Layer<int32_t> mapPlayer;
};

// A file cut anywhere short of its counts is refused before anything changes.
TEST(SavedGame, everyCutFileIsRefusedUntouched) {
    SavedGame s;
    ASSERT_TRUE(s.save());
    const std::string whole = s.saved();
    const fs::path cut = s.t.folder / "cut.saved";
    writeFile(cut, whole);
    modPlayer_Remove(s.g, 2);
    Untouched before(s.g);
    std::size_t refused = 0;
    for (std::size_t len = kFileSize; len-- > 0;) {
        if (len > 700 && len < kFileSize - 700 && len % 11 != 0) continue;
        fs::resize_file(cut, len);
        ASSERT_FALSE(modFile_Load(s.g, cut.string())) << len;
        ++refused;
        if (len % 997 == 0) before.check("cut at " + std::to_string(len));
    }
    before.check("after all cuts");
    const auto boxes = s.boxes();
    ASSERT_EQ(boxes.size(), refused);
    for (const auto& text : boxes)
        ASSERT_EQ(text.rfind("Error_modFile_Load : The file ", 0), 0u) << text;
}

// Each unsound file is refused with a box saying what is wrong, and the game goes on as it was.
TEST(SavedGame, unsoundFilesAreRefusedUntouched) {
    struct Case {
        const char* what;
        void (*damage)(std::string&);
        const char* description;
    };
    static const auto item = [](int i) { return kItemsAt + static_cast<std::size_t>(i - 1) * 16; };
    const Case cases[] = {
        {"no creatures", [](std::string& b) { putInt32(b, 0, 0); }, "The file announces 0 creature entries"},
        {"negative creatures", [](std::string& b) { putInt32(b, 0, -1); }, "The file announces -1 creature"},
        {"huge creatures", [](std::string& b) { putInt32(b, 0, 2'000'000'000); },
         "The file announces 2000000000 creature"},
        {"more creatures than bytes", [](std::string& b) { putInt32(b, 0, 45); }, "The file is cut short"},
        {"no items", [](std::string& b) { putInt32(b, kItemsCountAt, 0); },
         "The file announces 0 item entries"},
        {"huge items", [](std::string& b) { putInt32(b, kItemsCountAt, 2'000'000'000); },
         "The file announces 2000000000 item"},
        {"more items than bytes", [](std::string& b) { putInt32(b, kItemsCountAt, 1100); },
         "The file is cut short"},
        {"creature at x -1", [](std::string& b) { putInt32(b, kPlayersAt + kRecord + 106, -1); },
         "Creature 2 stands off the map at (-1, 30)"},
        {"creature at y 101", [](std::string& b) { putInt32(b, kPlayersAt + 2 * kRecord + 110, 101); },
         "Creature 3 stands off the map at (100, 101)"},
        {"two creatures on a cell",
         [](std::string& b) {
             putInt32(b, kPlayersAt + kRecord + 106, 10);
             putInt32(b, kPlayersAt + kRecord + 110, 10);
         },
         "Creature 2 and creature 1 stand on one cell (10, 10)"},
        {"item at x 101", [](std::string& b) { putInt32(b, item(2) + 4, 101); }, "Item 2 lies off the map"},
        {"item at y -1", [](std::string& b) { putInt32(b, item(2) + 8, -1); }, "Item 2 lies off the map"},
        {"two items on a cell", [](std::string& b) { putInt32(b, item(3) + 4, 11); },
         "Item 3 and item 2 lie on one cell (11, 10)"},
        {"unknown item number", [](std::string& b) { b[item(2) + 2] = 29; }, "Item 2 has item number 29"},
        {"item number 0", [](std::string& b) { b[item(2) + 2] = 0; }, "Item 2 has item number 0"},
        {"unknown carried item", [](std::string& b) { b[kPlayersAt + 320 + 2] = 99; },
         "Creature 1's carry slot 1 has item number 99"},
        {"unknown monster type", [](std::string& b) { putInt32(b, kPlayersAt + kRecord + 2, 3); },
         "Creature 2 has monster type 3"},
        {"negative monster type", [](std::string& b) { putInt32(b, kPlayersAt + kRecord + 2, -1); },
         "Creature 2 has monster type -1"},
        {"no user's creature", [](std::string& b) { putInt32(b, kPlayersAt + 2, 2); },
         "The file holds no user's creature"},
        {"two user's creatures", [](std::string& b) { putInt32(b, kPlayersAt + 2 * kRecord + 2, 0); },
         "Creatures 1 and 3 are both the user's creature"},
        {"weapon slot 21", [](std::string& b) { putInt32(b, kPlayersAt + 640, 21); },
         "Creature 1 readies a carry slot"},
    };
    SavedGame s;
    ASSERT_TRUE(s.save());
    const std::string good = s.saved();
    const fs::path bad = s.t.folder / "bad.saved";
    modPlayer_Remove(s.g, 3);
    modItem_Delete(s.g, 1);
    Untouched before(s.g);
    for (const Case& c : cases) {
        std::string b = good;
        c.damage(b);
        writeFile(bad, b);
        s.t.io.log.events.clear();
        EXPECT_FALSE(modFile_Load(s.g, bad.string())) << c.what;
        const auto boxes = s.boxes();
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes[0].rfind(std::string("Error_modFile_Load : ") + c.description, 0), 0u)
            << c.what << ": " << boxes[0];
        before.check(c.what);
    }
    s.t.io.log.events.clear();
    EXPECT_FALSE(modFile_Load(s.g, (s.t.folder / "nothing.saved").string()));
    EXPECT_EQ(s.boxes().at(0).rfind("Error_modFile_Load : File not found: ", 0), 0u);
    before.check("missing file");
}

// A name that could put the file anywhere but directly in saved/ writes nothing.
TEST(SavedGame, unsafeNamesAreRefused) {
    SavedGame s;
    const std::vector<std::string> names = {
        "", "../Ann", "a/b", "a\\b", "..", "C:Ann", "A\nnn", std::string("A\0nn", 4), "\x7F", "A\x85"};
    for (const std::string& name : names) {
        s.t.io.log.events.clear();
        EXPECT_FALSE(modFile_Save(s.g, name)) << name;
        const auto boxes = s.boxes();
        ASSERT_EQ(boxes.size(), 1u) << name;
        EXPECT_EQ(boxes[0].rfind("Error_modFile_Save : ", 0), 0u);
        EXPECT_GT(boxes[0].size(), std::string("Error_modFile_Save : ").size());
    }
    EXPECT_FALSE(fs::exists(s.t.folder.parent_path() / "Ann.saved"));
    EXPECT_TRUE(!fs::exists(s.t.folder / "saved") || fs::is_empty(s.t.folder / "saved"));
}

// A Latin-1 name gets a UTF-8 file name the desktop can show; inside, the name keeps its Latin-1 bytes.
TEST(SavedGame, latin1NameSavesUnderItsUtf8FileName) {
    SavedGame s;
    s.g.Players(1).Name = fixedName("Zo\xEB");
    ASSERT_TRUE(modFile_Save(s.g, "Zo\xEB"));
    const fs::path file = s.t.folder / "saved" / "Zo\xC3\xAB.saved";
    const std::string b = readFile(file);
    ASSERT_GE(b.size(), kFileSize);
    EXPECT_EQ(b.substr(kPlayersAt + 6, 100), "Zo\xEB" + std::string(97, ' '));
    s.g.Players(1).Name = fixedName("Ann");
    ASSERT_TRUE(modFile_Load(s.g, file.string()));
    EXPECT_EQ(displayName(s.g.Players(1).Name), "Zo\xEB");
}

// A file where the folder should be makes every save fail, and says so.
TEST(SavedGame, fileNamedSavedMakesSaveFail) {
    SavedGame s;
    s.t.write("saved", "not a folder");
    EXPECT_FALSE(s.save());
    ASSERT_EQ(s.boxes().size(), 1u);
    EXPECT_EQ(s.boxes()[0].rfind("Error_modFile_Save : ", 0), 0u);
    EXPECT_EQ(readFile(s.t.folder / "saved"), "not a folder");
}

// A save that cannot be written leaves the earlier one whole.
TEST(SavedGame, failedSaveKeepsTheEarlierFile) {
    SavedGame s;
    ASSERT_TRUE(s.save());
    const std::string earlier = s.saved();
    s.g.Players(1).Gold = 7;
    fs::permissions(s.t.folder / "saved", fs::perms::owner_read | fs::perms::owner_exec);
    const bool refused = !s.save();
    fs::permissions(s.t.folder / "saved", fs::perms::owner_all);
    if (::geteuid() == 0) GTEST_SKIP() << "root may write into a read-only folder";
    EXPECT_TRUE(refused);
    EXPECT_EQ(s.saved(), earlier);
    EXPECT_EQ(s.boxes().size(), 1u);
}

// A save that fails half-way, even for a user no permission stops, leaves the earlier one whole.
TEST(SavedGame, saveThatCannotFinishKeepsTheEarlierFile) {
    SavedGame s;
    ASSERT_TRUE(s.save());
    const std::string earlier = s.saved();
    s.g.Players(1).Gold = 7;
    fs::create_directory(s.t.folder / "saved" / "Ann.saved.tmp");
    EXPECT_FALSE(s.save());
    EXPECT_EQ(s.saved(), earlier);
    ASSERT_EQ(s.boxes().size(), 1u);
    EXPECT_EQ(s.boxes()[0].rfind("Error_modFile_Save : Cannot write ", 0), 0u) << s.boxes()[0];
}

// The folder is made on the first save, and a second save replaces the file in place.
TEST(SavedGame, saveCreatesTheFolderAndWritesOver) {
    SavedGame s;
    ASSERT_FALSE(fs::exists(s.t.folder / "saved"));
    ASSERT_TRUE(s.save());
    s.g.Players(1).Gold = 7;
    ASSERT_TRUE(s.save());
    EXPECT_EQ(int32At(s.saved(), kPlayersAt + 316), 7);
    std::vector<fs::path> entries(fs::directory_iterator(s.t.folder / "saved"), fs::directory_iterator());
    EXPECT_EQ(entries.size(), 1u);
}

} // namespace
} // namespace gf::test
