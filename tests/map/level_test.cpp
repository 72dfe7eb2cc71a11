// Level files as the game reads them, the random level and its walls.
#include "creatures/creature_table.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/level_file.h"
#include "map/map_file.h"
#include "map/random_level.h"
#include "map/walls.h"
#include "state/version.h"
#include "test_game.h"
#include "util/text.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <random>
#include <set>

namespace gf::test {
namespace {

// The catalogue numbers of the items on a row, from one column to another.
std::vector<int16_t> idsOf(Game& g, int32_t y, int32_t from, int32_t to) {
    std::vector<int16_t> ids;
    for (int32_t x = from; x <= to; ++x)
        ids.push_back(idAt(g, x, y));
    return ids;
}

class MapFile : public ::testing::Test, protected EmptyLevel {
protected:
    // Loads contents as a level file and returns its path.
    std::string load(const std::string& contents) {
        t.write("level.map", contents);
        t.io.log.events.clear();
        loadLevel(g, t.path("level.map"));
        return t.path("level.map");
    }
    std::vector<int16_t> row(int32_t y, int32_t from, int32_t to) { return idsOf(g, y, from, to); }
};

// A map holds 101 rows of 100 characters; a longer row is dropped whole, each extra row boxed.
TEST_F(MapFile, mapSizeLimits) {
    std::string full;
    for (int y = 0; y <= 100; ++y)
        full += std::string(100, y == 100 ? 'X' : 'x') + "\r\n";
    load(full + "   \r\n");
    EXPECT_EQ(std::tuple(idAt(g, 0, 0), idAt(g, 0, 50), idAt(g, 99, 100), idAt(g, 100, 5), boxTexts(t)),
              std::tuple(2, 10, 7, 0, Texts{}));

    std::string column;
    for (int y = 2; y <= 102; ++y)
        column += y > 100 ? "XXXXX\r\n" : "X\r\n";
    load(crlf({"X.X", "X" + std::string(100, '.'), "X..X"}) + column);
    EXPECT_EQ(boxTexts(t), (Texts(3, "Map too big!")));
    EXPECT_EQ(t.io.log.of("msgbox").at(0)["title"], "FATAL ERROR! DIE! DIE!");
    EXPECT_EQ(t.io.log.of("msgbox").at(0)["icon"], "critical");
    EXPECT_EQ(row(1, 0, 3), (std::vector<int16_t>{5, 0, 0, 1}));
    EXPECT_EQ(row(100, 0, 2), (std::vector<int16_t>{14, 0, 0}));
}

// Keys ignore case and outer blanks, the last repeat wins; a malformed line is boxed with the file's name.
TEST_F(MapFile, headerKeysCommentsAndLineEnds) {
    const std::string path = load(
        "map=First Hall\r\n XXX\r\nLower=  cellar  \n\t\t\nUPPER=attic\rMAP =x\r\nuPpEr= roof\r\n;MAP=Not "
        "This\r\n\r\n    \r;X\nX.XS\nNAP=x\r\nlower\r\n#X\r\n" +
        std::string("\0X\r\n", 4) + "X");
    EXPECT_EQ(std::tuple(g.level.name, g.level.lower, g.level.upper, g.level.startX),
              std::tuple("First Hall", "cellar", "roof", 3));
    EXPECT_EQ(t.io.log.of("caption").back()["text"],
              "Gloamfell (ver " + std::string(kVersion) + ")  : First Hall");
    EXPECT_EQ(std::tuple(row(0, 0, 2), row(1, 0, 0)),
              std::tuple(std::vector<int16_t>{13, 0, 1}, std::vector<int16_t>{14}));
    std::vector<std::string> unknown;
    for (const std::string& line :
         Texts{" XXX", "\t\t", "MAP =x", "NAP=x", "lower", "#X", std::string("\0X", 2)})
        unknown.push_back("Unknown line found in " + path + "\r\n" + line);
    EXPECT_EQ(boxTexts(t), unknown);
    EXPECT_EQ(t.io.log.of("msgbox").at(0)["title"], "WARNING!!!!");
    load(crlf({"X"}));
    EXPECT_EQ(std::tuple(g.level.name, g.level.lower, g.screen.caption, g.level.startX, g.level.startY),
              std::tuple("", "", "Gloamfell (ver " + std::string(kVersion) + ")  : ", 0, 0));
}

// A neighbour's name with a folder, ".." or a control character is boxed and ignored.
TEST_F(MapFile, neighbourNamesReachNoOtherFolder) {
    const std::vector<std::string> bad{"LOWER=../../../../tmp/x/evil",
                                       "UPPER=up/stairs",
                                       "LOWER=a\\b",
                                       "UPPER=..",
                                       "LOWER=x\x01y",
                                       "UPPER=x\x85y"};
    std::string contents = "LOWER=cellar\r\nUPPER=attic\r\n";
    for (const std::string& line : bad)
        contents += line + "\r\n";
    const std::string path = load(contents + "X");
    EXPECT_EQ(std::tuple(g.level.lower, g.level.upper), std::tuple("cellar", "attic"));
    const auto boxes = boxTexts(t);
    ASSERT_EQ(boxes.size(), bad.size());
    for (std::size_t i = 0; i < bad.size(); ++i)
        EXPECT_TRUE(
            boxes[i].starts_with("Level name ignored in " + path + "\r\n" + latin1ToUtf8(bad[i]) + "\r\n"))
            << boxes[i];
}

// A level author's list of faults names each line, and how to mend an indented one; past the rows is floor.
TEST(LevelFile, faultsNameTheirLines) {
    struct Lines : Findings {
        std::vector<std::string> seen;
        void warning(const Finding& f) override { seen.push_back(std::to_string(f.line) + ": " + f.text); }
        void failure(const Finding& f) override { warning(f); }
    } findings;
    const LevelFile level =
        readLevelFile("; note\r\nMAP=Hall\r\n\r\n X\r\nX.S\r\nLOWER=../x\nNAP=1\r\n", "a.map", findings);
    EXPECT_EQ(findings.seen,
              (Texts{"4: unknown line \" X\": keys and rows start in the first column",
                     "6: level name ignored: \"../x\" holds a slash; a level is named by its file alone",
                     "7: unknown line \"NAP=1\""}));
    EXPECT_EQ(std::tuple(level.name.line, level.lineOf(0), level.at(3, 0), level.at(-1, 0), level.at(0, 1)),
              std::tuple(2, 5, ' ', ' ', ' '));
    EXPECT_EQ(shownInBox(std::string(300, 'a')), std::string(300, 'a')) << "300 characters are shown whole";
}

// Each character places its item or monster, the later start wins; what the catalogue lacks is floor.
TEST_F(MapFile, charactersPlaceTheirItemsMonstersAndStart) {
    t.write("item.ini", basicItemIni() + "\r\n" +
                            crlf({"ITEM=29", "NAME=short sword", "ITEM=30", "NAME=long sword", "ITEM=31",
                                  "NAME=broad sword", "ITEM=33", "NAME=hard leather armor", "ITEM=34",
                                  "NAME=studded leather armor"}));
    for (char c = ' '; c <= '~'; ++c) { // the checker's idea of what places an item, against the reader's
        load(crlf({std::string("X") + c}));
        EXPECT_EQ(g.level.itemAt(1, 0) > 0 || c == '%', placesItem(c)) << c; // % is gear this one lacks
    }
    load(crlf({"XDdgGeE!@#$%[]\\0?Z", "XS12.9s"}));
    EXPECT_EQ(row(0, 0, 17),
              (std::vector<int16_t>{2, 17, 17, 24, 25, 21, 22, 26, 29, 30, 31, 0, 27, 33, 34, 0, 0, 0}));
    std::vector<int16_t> monsters;
    for (int32_t x = 0; x <= 6; ++x)
        monsters.push_back(g.level.creatureAt(x, 1) ? g.creatures(g.level.creatureAt(x, 1)).monsterType : -1);
    EXPECT_EQ(monsters, (std::vector<int16_t>{-1, -1, 1, 2, -1, -1, -1}));
    EXPECT_EQ(std::tuple(g.level.startX, g.level.startY, g.level.itemAt(6, 1)), std::tuple(6, 1, 0));
    EXPECT_EQ(boxTexts(t), Texts{"Error_modPlayer_Add : Monster 9 is not in monster.ini"});
}

// Only the user crosses to a new level; stairs to a missing file must not strand it on an empty one.
TEST_F(MapFile, newLevelKeepsOnlyUsersCreatureAndMissingOneChangesNothing) {
    load(crlf({"X....", "X..2."}));
    g.creatures.current = addCreature(g, 0, 1, 1);
    load(crlf({"MAP=Here", "LOWER=below", "X1g2S", "X1..."}));
    std::vector<int16_t> active;
    for (const Creature& p : g.creatures)
        if (p.active) active.push_back(p.monsterType);
    EXPECT_EQ(active, (std::vector<int16_t>{1, 0, 2}));
    EXPECT_EQ(std::tuple(g.level.creatureAt(1, 1), g.level.creatureAt(3, 1)),
              std::tuple(g.creatures.current, 0));
    const auto items = g.items.size();
    const std::string caption = g.screen.caption;
    std::filesystem::create_directory(t.path("folder.map"));
    ASSERT_EQ(mkfifo(t.path("pipe.map").c_str(), 0600), 0); // opened, it would wait for a writer
    for (const auto& [name, reason] : {std::pair{"nowhere.map", "File not found: "},
                                       {"folder.map", "Cannot read file: "},
                                       {"pipe.map", "Cannot read file: "}}) {
        t.io.log.events.clear();
        loadLevel(g, t.path(name));
        EXPECT_EQ(boxTexts(t), Texts{"Error_modMap_Load : " + (reason + t.path(name))});
        EXPECT_EQ(std::tuple(g.level.name, g.level.lower, g.level.startX, g.screen.caption, g.items.size()),
                  std::tuple("Here", "below", 4, caption, items));
        EXPECT_EQ(std::tuple(idAt(g, 2, 0), g.level.creatureAt(3, 0)), std::tuple(ItemId::SmallGold, 3));
        EXPECT_TRUE(t.io.log.of("caption").empty());
    }
}

// Whatever bytes a level holds: at most twenty boxes and a count, each cut short, and reading goes on.
TEST_F(MapFile, hostileFilesAreSurvived) {
    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty += "line " + std::to_string(i) + "\r\n";
    const std::string path = load(twenty + "MAP=After");
    EXPECT_EQ(std::tuple(boxTexts(t).size(), boxTexts(t).back()),
              std::tuple(20u, "Unknown line found in " + path + "\r\nline 19"));
    load(twenty + "one more\r\nMAP=After");
    EXPECT_EQ(std::tuple(boxTexts(t).size(), boxTexts(t).back()),
              std::tuple(21u, "1 more lines of " + path + " could not be read and were ignored"));
    std::mt19937 bytes(7);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage)
        c = static_cast<char>(bytes() & 0xff);
    load(garbage + "\r\nMAP=After\r\n");
    EXPECT_EQ(std::tuple(boxTexts(t).size(), g.level.name), std::tuple(21u, "After"));
    load(std::string(4096, '\0'));
    EXPECT_EQ(boxTexts(t).size(), 1u);
    load("");
    EXPECT_EQ(std::tuple(boxTexts(t).size(), g.level.itemAt(0, 0)), std::tuple(0u, 0));
    load(std::string(10 * 1024 * 1024, 'q'));
    EXPECT_EQ(boxTexts(t).size(), 1u);
    EXPECT_LT(boxTexts(t).at(0).size(), 1000u);
    load("MAP=Long\r\nX" + std::string(10 * 1024 * 1024, 'X') + "\r\nXg");
    EXPECT_EQ(boxTexts(t), Texts{"Map too big!"});
    EXPECT_EQ(std::tuple(g.level.name, idAt(g, 1, 0)), std::tuple("Long", ItemId::SmallGold));
}

struct JoinCase {
    const char* name;
    int32_t x0, y0;
    std::vector<std::string> art;
    std::vector<std::vector<int16_t>> pieces; // what each cell of the drawing holds afterwards
};

// Every wall pattern draws one continuous wall, doors follow their wall, and the map's edge joins nothing.
TEST(Walls, piecesJoinTheirNeighbours) {
    const JoinCase cases[] = {
        {"lone wall and gold", 20, 20, {"X.Xg"}, {{1, 0, 1, ItemId::SmallGold}}},
        {"square", 20, 20, {"XXX", "X.X", "XXX"}, {{2, 3, 4}, {5, 0, 5}, {6, 3, 7}}},
        {"plus", 20, 20, {".X.", "XXX", ".X."}, {{0, 13, 0}, {15, 8, 16}, {0, 14, 0}}},
        {"doors in a row", 20, 20, {"XDX.XOX"}, {{15, 17, 16, 0, 15, 17, 16}}},
        {"doors in a column", 20, 20, {"X.X", "D.O", "X.X"}, {{13, 0, 13}, {19, 0, 19}, {14, 0, 14}}},
        {"doors walled on three sides or none",
         20,
         20,
         {"X.O", "DX.", "X.."},
         {{13, 0, 18}, {17, 16, 0}, {14, 0, 0}}},
        {"west border", 0, 4, {"X", "X", "X"}, {{13}, {5}, {14}}},
        {"south-east corner", 99, 99, {".X", "XX"}, {{0, 13}, {15, 7}}},
    };
    for (const auto& c : cases) {
        EmptyLevel l;
        draw(l.g, c.x0, c.y0, c.art);
        joinWalls(l.g);
        std::vector<std::vector<int16_t>> pieces;
        for (std::size_t row = 0; row < c.art.size(); ++row)
            pieces.push_back(idsOf(l.g, c.y0 + static_cast<int32_t>(row), c.x0,
                                   c.x0 + static_cast<int32_t>(c.art[row].size()) - 1));
        EXPECT_EQ(std::pair(pieces, boxTexts(l.t)), std::pair(c.pieces, Texts{})) << c.name;
    }
}

// Walls and doors count as wall, nothing else; a missing item is boxed and the pass still runs.
TEST(Walls, wallsAndDoorsByNumberAndBrokenCells) {
    EmptyLevel l;
    Game& g = l.g;
    for (const int16_t id : {16, 20, 21}) {
        draw(g, 10, 2 * id, {"X.X"});
        addItem(g, id, 11, 2 * id);
    }
    draw(g, 61, 60, {"X"});
    g.level.itemAt(60, 60) = 5000;
    joinWalls(g);
    EXPECT_EQ((std::vector<int16_t>{idAt(g, 11, 32), idAt(g, 11, 40), idAt(g, 11, 42), idAt(g, 61, 60)}),
              (std::vector<int16_t>{3, 17, 21, 1}));
    EXPECT_EQ((std::vector<bool>{isStoneWall(g, 11, 40), isStoneWall(g, 11, 42), isStoneWall(g, 10, 41),
                                 isStoneWall(g, -1, 0), isStoneWall(g, 0, 101)}),
              (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(boxTexts(l.t), (Texts(2, "Error_Is_Stone_Wall : Subscript out of range")));
}

// The draws of one generation in the order rooms take them: three openings each, then contents.
class Draws {
public:
    explicit Draws(float fill) : values_(3 + 99 * 5, fill) {}

    Draws& set(int32_t x0, int32_t y0, std::initializer_list<float> openings, float monsters, float item) {
        const int room = (x0 / 10) * 10 + y0 / 10;
        const std::size_t at = room == 0 ? 0 : static_cast<std::size_t>(3 + (room - 1) * 5);
        std::copy(openings.begin(), openings.end(), values_.begin() + static_cast<std::ptrdiff_t>(at));
        values_[at + 3] = monsters;
        values_[at + 4] = item;
        return *this;
    }
    // Generates a level and checks every queued draw was used, and no more.
    void generate(TestGame& t) const {
        for (float r : values_)
            t.io.random.queue(r);
        createRandomLevel(t.game);
        t.io.random.queue(-1.0f);
        EXPECT_EQ(t.game.draw(), -1.0f);
    }

private:
    std::vector<float> values_;
};

// The start room stays empty however full the draws make every other room.
TEST(RandomLevel, startRoomStaysEmpty) {
    EmptyLevel l;
    Draws(0.99f).generate(l.t);
    int placed = 0;
    for (int32_t x = 1; x <= 9; ++x)
        for (int32_t y = 1; y <= 9; ++y)
            placed += idAt(l.g, x, y) != 0 || l.g.level.creatureAt(x, y) != 0;
    EXPECT_EQ(std::pair(placed, l.g.level.creatureAt(15, 15) != 0), std::pair(0, true));
}

// Each opening, monster group and item follows its own draw, and each boundary decides.
TEST(RandomLevel, openingsAndRoomContentsFollowTheDraws) {
    const std::string two = "55 65", four = two + " 56 66", westFirst = four + " 45 54",
                      northFirst = four + " 54 45";
    // the monster and item draws; the monster type, the cells it stands on and the item found
    const std::tuple<float, float, int16_t, std::string, int16_t> rooms[] = {
        {0.255f, 0.205f, 1, two, 24},     {0.265f, 0.215f, 2, two, 25},
        {0.505f, 0.355f, 2, two, 25},     {0.515f, 0.365f, 1, four, 27},
        {0.705f, 0.405f, 1, four, 31},    {0.715f, 0.435f, 2, four, 34},
        {0.905f, 0.445f, 2, four, 0},     {0.915f, 0.999f, 1, westFirst, 0},
        {0.955f, 0.0f, 1, westFirst, 24}, {0.965f, 0.0f, 2, northFirst, 24},
        {0.995f, 0.0f, 2, northFirst, 24}};
    const auto corner = [](std::size_t i) {
        return std::pair<int32_t, int32_t>(10 + 10 * (i % 9), 50 + 10 * (i / 9));
    };
    Draws draws(0.0f);
    draws.set(10, 10, {0.51f, 0.5f, 0.75f}, 0.0f, 0.0f).set(20, 20, {0.5f, 0.9f, 0.5f}, 0.0f, 0.0f);
    for (std::size_t i = 0; i < std::size(rooms); ++i)
        draws.set(corner(i).first, corner(i).second, {0.0f, 0.0f, 0.0f}, std::get<0>(rooms[i]),
                  std::get<1>(rooms[i]));
    EmptyLevel l;
    draws.generate(l.t);
    const std::set<std::pair<int32_t, int32_t>> openings{{10, 15}, {15, 20}, {25, 20}, {26, 20}};
    int wrong = 0;
    for (int32_t x = 0; x <= 100; ++x)
        for (int32_t y = 0; y <= 100; ++y) {
            const bool wall = (x % 10 == 0 || y % 10 == 0) && !openings.contains({x, y});
            const int16_t id = idAt(l.g, x, y);
            wrong += (id >= 1 && id <= 16) != wall ||
                     (x < 10 && y < 10 && !wall && (id || l.g.level.creatureAt(x, y))) ||
                     (wall && id != wallConnector(l.g, l.g.level.itemAt(x, y))); // joined
        }
    EXPECT_EQ(std::tuple(wrong, l.g.level.startX, l.g.level.startY), std::tuple(0, 2, 2));
    EXPECT_EQ(boxTexts(l.t), Texts{});
    for (std::size_t i = 0; i < std::size(rooms); ++i) {
        const auto [x0, y0] = corner(i);
        const auto& [monsters, item, type, expectedCells, id] = rooms[i];
        std::map<int32_t, std::string> placed;
        for (int32_t x = 1; x <= 9; ++x)
            for (int32_t y = 1; y <= 9; ++y)
                if (const int32_t p = l.g.level.creatureAt(x0 + x, y0 + y)) {
                    placed[p] = std::to_string(x) + std::to_string(y);
                    EXPECT_EQ(l.g.creatures(p).monsterType, type) << monsters;
                }
        std::string cells;
        for (const auto& [p, cell] : placed)
            cells += (cells.empty() ? "" : " ") + cell;
        EXPECT_EQ(cells, expectedCells) << monsters;
        EXPECT_EQ(idAt(l.g, x0 + 5, y0 + 5), id) << item;
    }
}

} // namespace
} // namespace gf::test
