#include "map/map_file.h"

#include "creatures/creature_table.h"
#include "test_game.h"

#include "items/item_table.h"
#include "shell/version.h"

#include <gtest/gtest.h>

#include <random>

namespace gf::test {
namespace {

// A row of the given length: a wall, then floor.
std::string row(std::size_t length) {
    return "X" + std::string(length - 1, '.');
}

std::string rows(int count, std::size_t length) {
    std::string s;
    for (int i = 0; i < count; ++i)
        s += row(length) + "\r\n";
    return s;
}

class MapFile : public ::testing::Test {
protected:
    void SetUp() override { prepareEmptyLevel(t); }

    // Loads contents as a level file and returns its path.
    std::string load(const std::string& contents, const std::string& name = "level.map") {
        t.write(name, contents);
        t.io.log.events.clear();
        modMap_Load(t.game, t.path(name));
        return t.path(name);
    }

    std::vector<nlohmann::json> boxes() { return t.io.log.of("msgbox"); }

    TestGame t;
};

// The largest map a file can hold is 101 rows of 100 characters, and it is not "too big".
TEST_F(MapFile, fullSizeMapLoadsWithoutBox) {
    load(rows(100, 100) + row(100) + "   \r\n");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(idAt(t.game, 0, 0), 13);
    EXPECT_EQ(idAt(t.game, 0, 50), 5);
    EXPECT_EQ(idAt(t.game, 0, 100), 14);
    EXPECT_EQ(idAt(t.game, 99, 100), 0);
}

// An overlong row is dropped whole, and the rows after it move up, since only stored rows count.
TEST_F(MapFile, overlongRowGivesBoxAndIsDropped) {
    load(crlf({"X.X", row(101), "X..X"}));
    const auto b = boxes();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0]["text"], "Map too big!");
    EXPECT_EQ(b[0]["title"], "FATAL ERROR! DIE! DIE!");
    EXPECT_EQ(b[0]["icon"], "critical");
    EXPECT_NE(t.game.MapItem(2, 0), 0);
    EXPECT_NE(t.game.MapItem(3, 1), 0);
    EXPECT_EQ(t.game.MapItem(2, 1), 0);
}

// Rows past the 101st each get their box; the first 101 are built.
TEST_F(MapFile, extraRowsEachGiveBoxAndFirstRowsAreBuilt) {
    load(rows(101, 2) + crlf({"XXXXX", "XXXXX"}));
    const auto b = boxes();
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[1]["text"], "Map too big!");
    EXPECT_NE(t.game.MapItem(0, 100), 0);
    EXPECT_EQ(t.game.MapItem(2, 100), 0);
}

// Lines are classified as read: a leading blank, a tab or a blank before '=' is no key and no row.
TEST_F(MapFile, unrecognisedLinesWarnWithPathAndLine) {
    const std::string lines[] = {
        " XXX",  "\t\t", "MAP =First Hall", " ;not a comment", "Y", std::string("X\0", 2).substr(1),
        "lower", "#X"};
    for (const auto& line : lines) {
        const std::string path = load(crlf({line}));
        const auto b = boxes();
        ASSERT_EQ(b.size(), 1u) << line;
        EXPECT_EQ(utf8ToLatin1(b[0]["text"]), "Unknown line found in " + path + "\r\n" + line);
        EXPECT_EQ(b[0]["title"], "WARNING!!!!");
        EXPECT_EQ(b[0]["icon"], "exclamation");
    }
    EXPECT_EQ(t.game.MapName, "");
}

// Keys ignore case and their values lose outer blanks; a repeated key keeps its last value.
TEST_F(MapFile, keysAreCaselessTrimmedAndLastWins) {
    load(crlf({"map=First Hall", "Lower=  cellar  ", "UPPER=attic", "uPpEr= roof"}));
    EXPECT_EQ(t.game.MapName, "First Hall");
    EXPECT_EQ(t.game.MapLower, "cellar");
    EXPECT_EQ(t.game.MapUpper, "roof");
    load(crlf({"MAP=  First Hall  "}));
    EXPECT_EQ(t.game.MapName, "First Hall");
    EXPECT_EQ(t.game.MapLower, "") << "a key missing from the new file leaves its field empty";
}

// Comments and lines of spaces are skipped; lone CR and lone LF end lines too, and the last needs no line
// end.
TEST_F(MapFile, commentsBlanksAndAnyLineEnd) {
    load(";MAP=Not This\r\n\r\n    \rMAP=Mixed\r;X\nX.X\nX\r\nXX");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(t.game.MapName, "Mixed");
    EXPECT_NE(t.game.MapItem(2, 0), 0);
    EXPECT_NE(t.game.MapItem(0, 1), 0);
    EXPECT_NE(t.game.MapItem(1, 2), 0);
}

// The window caption names the level, and shows nothing after the colon when the file names none.
TEST_F(MapFile, captionCarriesLevelName) {
    load(crlf({"MAP=Upper Hall"}));
    EXPECT_EQ(t.game.Caption, "Gloamfell (ver " + std::string(kVersion) + ")  : Upper Hall");
    EXPECT_EQ(t.io.log.of("caption").back()["text"], t.game.Caption) << "the window shows it";
    load(crlf({"X"}));
    EXPECT_EQ(t.io.log.of("caption").back()["text"], "Gloamfell (ver " + std::string(kVersion) + ")  : ");
}

// Without a start mark the start is the corner; with two the later one in reading order wins.
TEST_F(MapFile, startCellIsLastMarkOrCorner) {
    load(crlf({"X.S", "Xs..S"}));
    EXPECT_EQ(t.game.StartX, 4);
    EXPECT_EQ(t.game.StartY, 1);
    EXPECT_EQ(t.game.MapItem(4, 1), 0);
    load(crlf({"X"}));
    EXPECT_EQ(t.game.StartX, 0);
    EXPECT_EQ(t.game.StartY, 0);
}

// Each level character places its own catalogue item; unknown characters are floor.
TEST_F(MapFile, charactersPlaceTheirItems) {
    load(crlf({"X.D.d.g.G.e.E.!.[. .0.?.Z"}));
    const std::pair<int32_t, int16_t> expected[] = {{0, 1},   {2, 17},  {4, 17},  {6, 24}, {8, 25},
                                                    {10, 21}, {12, 22}, {14, 26}, {16, 27}};
    for (auto [x, id] : expected)
        EXPECT_EQ(idAt(t.game, x, 0), id) << x;
    for (int32_t x : {1, 17, 18, 19, 20, 21, 22, 23, 24})
        EXPECT_EQ(t.game.MapItem(x, 0), 0) << x;
    EXPECT_TRUE(boxes().empty());
}

// A weapon whose name the catalogue lacks leaves plain floor rather than an item of no type.
TEST_F(MapFile, weaponMissingFromCatalogueLeavesFloor) {
    load(crlf({"X.@.#.$.%.].\\"}));
    for (int32_t x = 1; x <= 12; ++x)
        EXPECT_EQ(t.game.MapItem(x, 0), 0) << x;
    for (const Item& item : t.game.Items)
        EXPECT_TRUE(!item.InUse || item.ID != 0);
}

// Digits 1 to 9 are monsters of that catalogue number; 0 is floor, and a number the catalogue lacks places
// nothing.
TEST_F(MapFile, digitsPlaceMonstersOfThatType) {
    load(crlf({"X1.2.0.9"}));
    ASSERT_NE(t.game.MapPlayer(1, 0), 0);
    ASSERT_NE(t.game.MapPlayer(3, 0), 0);
    EXPECT_EQ(t.game.player(t.game.MapPlayer(1, 0)).MonsterType, 1);
    EXPECT_EQ(t.game.player(t.game.MapPlayer(3, 0)).MonsterType, 2);
    EXPECT_EQ(t.game.MapPlayer(5, 0), 0);
    EXPECT_EQ(t.game.MapPlayer(7, 0), 0);
}

// Only the user's creature crosses to the new level; a monster on its cell is not placed.
TEST_F(MapFile, newLevelKeepsOnlyUsersCreature) {
    load(crlf({"X....", "X..2."}));
    const int32_t user = modPlayer_Add(t.game, 0, 1, 1);
    t.game.CurrentPlayer = user;
    const int32_t monster = t.game.MapPlayer(3, 1);
    ASSERT_NE(monster, 0);

    load(crlf({"X1...", "X1..."}));
    EXPECT_FALSE(t.game.player(monster).Active && t.game.player(monster).MonsterType == 2);
    EXPECT_EQ(t.game.MapPlayer(3, 1), 0);
    EXPECT_EQ(t.game.MapPlayer(1, 1), user);
    EXPECT_EQ(t.game.player(user).MonsterType, 0);
    EXPECT_NE(t.game.MapPlayer(1, 0), 0);
    int active = 0;
    for (const Player& p : t.game.Players)
        active += p.Active ? 1 : 0;
    EXPECT_EQ(active, 2);
}

// Taking stairs to a missing file must not strand the user on an emptied level.
TEST_F(MapFile, missingFileLeavesLevelUntouched) {
    load(crlf({"MAP=Here", "LOWER=below", "X.g1S"}));
    const auto items = t.game.Items.ubound();
    const int32_t gold = t.game.MapItem(2, 0);
    const std::string caption = t.game.Caption;
    t.io.log.events.clear();

    const std::string missing = t.path("nowhere.map");
    modMap_Load(t.game, missing);
    const auto b = boxes();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0]["text"], "Error_modMap_Load : File not found: " + missing);
    EXPECT_EQ(t.game.MapName, "Here");
    EXPECT_EQ(t.game.MapLower, "below");
    EXPECT_EQ(t.game.StartX, 4);
    EXPECT_EQ(t.game.Items.ubound(), items);
    EXPECT_EQ(t.game.MapItem(2, 0), gold);
    EXPECT_NE(t.game.MapPlayer(3, 0), 0);
    EXPECT_EQ(t.game.Caption, caption);
    EXPECT_TRUE(t.io.log.of("caption").empty());
}

// Whatever bytes a level file holds, each bad line gets its box and the game goes on.
TEST_F(MapFile, hostileFilesAreSurvived) {
    std::mt19937 bytes(7);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage)
        c = static_cast<char>(bytes() & 0xff);
    load(garbage + "\r\nMAP=After\r\n");
    ASSERT_EQ(boxes().size(), 21u) << "twenty warnings, then one box with the count";
    EXPECT_NE(boxes().back()["text"].get<std::string>().find("more lines of " + t.path("level.map")),
              std::string::npos);
    EXPECT_EQ(t.game.MapName, "After") << "reading goes on to the end of the file";

    load(std::string(4096, '\0'));
    ASSERT_EQ(boxes().size(), 1u);

    load("");
    EXPECT_TRUE(boxes().empty()) << "an empty file is an empty level";
    EXPECT_EQ(t.game.MapItem(0, 0), 0);

    load(std::string(10 * 1024 * 1024, 'q'));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(t.io.log.of("msgbox")[0]["title"], "WARNING!!!!");

    load("MAP=Long\r\nX" + std::string(10 * 1024 * 1024, 'X') + "\r\nXg");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxTexts(t).at(0), "Map too big!");
    EXPECT_EQ(t.game.MapName, "Long");
    EXPECT_EQ(idAt(t.game, 1, 0), ItemId::SmallGold);
}

// The grid runs 0 to 100 on both axes.
TEST(InMap, gridBoundsAreInclusive) {
    EXPECT_TRUE(In_Map(0, 0));
    EXPECT_TRUE(In_Map(100, 100));
    EXPECT_FALSE(In_Map(-1, 5));
    EXPECT_FALSE(In_Map(5, 101));
    EXPECT_FALSE(In_Map(101, 0));
}

} // namespace
} // namespace gf::test
