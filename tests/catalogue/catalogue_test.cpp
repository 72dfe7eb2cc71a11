// The catalogue files and the item and creature tables they fill.
#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "items/catalogue_file.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "state/findings.h"
#include "test_game.h"
#include "util/text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace gf::test {
namespace {

// Lines given with '\n', written with CR LF as the data files are.
std::string lines(std::string text) {
    std::string s;
    for (const char c : text)
        s += c == '\n' ? "\r\n" : std::string(1, c);
    return s + "\r\n";
}

// The upper bound, then every non-blank entry with all its fields: one comparison shows the catalogue.
std::string itemEntries(Game& g) {
    std::string out = std::to_string(g.catalogue.items.size());
    for (int32_t i = 1; i <= g.catalogue.items.size(); ++i) {
        const ItemType& t = g.catalogue.items(i);
        const std::string e = t.name + "|" + std::to_string(t.image) + "|" + std::to_string(t.damage) + "|" +
                              std::to_string(t.armour) + "|" + (t.blocksMovement ? "B" : "") +
                              (t.movable ? "M" : "");
        if (e != "|0|0|0|") out += " / " + std::to_string(i) + ":" + e;
    }
    return out;
}

std::string monsterEntries(Game& g) {
    std::string out = std::to_string(g.catalogue.monsters.size());
    for (int32_t i = 1; i <= g.catalogue.monsters.size(); ++i) {
        const MonsterInfo& m = g.catalogue.monsters(i);
        std::string e = m.name;
        for (const int64_t n :
             {int64_t{m.level}, int64_t{m.image}, int64_t{m.life}, int64_t{m.stamina}, int64_t{m.sightRange},
              int64_t{m.melee}, int64_t{m.deadItem}, int64_t{m.soundId}})
            e += "|" + std::to_string(n);
        if (e != "|0|0|0|0|0|0|0|0") out += " / " + std::to_string(i) + ":" + e;
    }
    return out;
}

std::string joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const auto& text : texts)
        out += (out.empty() ? "" : " / ") + text;
    return out;
}

struct Rule {
    const char* name;
    bool monsters; // monster.ini read against basicItemIni, else item.ini
    const char* file;
    const char* entries;
    const char* boxes;
};

void PrintTo(const Rule& r, std::ostream* os) {
    *os << r.name;
}

class CatalogueRules : public ::testing::TestWithParam<Rule> {};

// One reader for both catalogues: a bad value stops it with one numbered box, what came before stands.
TEST_P(CatalogueRules, fileReadsToTheseEntriesAndBoxes) {
    const Rule& r = GetParam();
    TestGame t;
    if (r.monsters) prepareEmptyLevel(t); // monster.ini is read again, as each level reads it
    t.write(r.monsters ? "monster.ini" : "item.ini", lines(r.file));
    t.io.log.events.clear();
    r.monsters ? loadMonsterCatalogue(t.game) : loadItemCatalogue(t.game);
    EXPECT_EQ(r.monsters ? monsterEntries(t.game) : itemEntries(t.game), r.entries);
    EXPECT_EQ(joined(boxTexts(t)), r.boxes);
    for (const auto& box : t.io.log.of("msgbox")) {
        const bool failed = box["text"].get<std::string>().starts_with("Error_");
        EXPECT_EQ(box["title"], failed ? "Murkhol" : "WARNING!!!!");
        EXPECT_EQ(box["icon"], failed ? box["icon"] : "exclamation");
    }
}

const Rule kRules[] = {
    {"ItemsSizedByHighestNumber", false, "ITEM=30\nNAME=last\nITEM=2\nNAME=second",
     "30 / 2:second|0|0|0| / 30:last|0|0|0|", ""},
    {"ItemKeysCaseFreeValuesTrimmedAndFloored", false,
     "; ITEM=99\n\n   \nitem=4\nName=   long sword   \niMaGe=3.9\nDAMAGE=5\nARMOR=-0.5\nBlockMovement=0\n"
     "MOVABLE=NO\nITEM=1.7\nNAME=wall\twith tab \nITEM=4\nNAME=renamed",
     "4 / 1:wall\twith tab|0|0|0| / 4:renamed|3|5|-1|BM", ""},
    {"ItemKeyMustFillTheFirstColumns", false, "ITEM=1\n NAME=indented\nXAME=x\nCOLOR=red\nNAME=kept",
     "1 / 1:kept|0|0|0|",
     " NAME=indented\r\nUnknown line found in item.ini / XAME=x\r\nUnknown line found in item.ini / "
     "COLOR=red\r\nUnknown line found in item.ini"},
    {"ItemTypeMismatch", false, "ITEM=1\nNAME=a\nITEM=2\nIMAGE=2-1\nNAME=never", "2 / 1:a|0|0|0|",
     "Error_modItem_Init: Type mismatch: \"2-1\" is not a number Item#=2"},
    {"ItemNumberPast16Bits", false, "ITEM=1\nNAME=a\nITEM=32768", "0",
     "Error_modItem_Init: Overflow Item#=1"},
    {"ItemImagePast16Bits", false, "ITEM=1\nNAME=a\nITEM=2\nIMAGE=32767\nIMAGE=32768",
     "2 / 1:a|0|0|0| / 2:|32767|0|0|", "Error_modItem_Init: Overflow Item#=2"},
    {"ItemDamagePast32Bits", false, "ITEM=1\nDAMAGE=2147483647\nDAMAGE=2147483648", "1 / 1:|0|2147483647|0|",
     "Error_modItem_Init: Overflow Item#=1"},
    {"NumbersOfUpTo64Characters", false,
     "ITEM=1\nDAMAGE=0000000000000000000000000000000000000000000000000000000000000007\nARMOR="
     "00000000000000000000000000000000000000000000000000000000000000001",
     "1 / 1:|0|7|0|",
     "Error_modItem_Init: Type mismatch: \"0000000000000000000000000000000000000000\" is not a number "
     "Item#=1"},
    {"NumbersWithSignsAndExponents", false, "ITEM=1\nIMAGE=+2\nDAMAGE=1e1\nARMOR=2E0\nARMOR=0x10",
     "1 / 1:|2|10|2|", "Error_modItem_Init: Type mismatch: \"0x10\" is not a number Item#=1"},
    {"ItemLineBeforeAnyBlock", false, "NAME=before\nITEM=1", "1",
     "Error_modItem_Init: Subscript out of range: \"NAME=before\" is not inside an ITEM= block numbered 1 or "
     "more Item#=0"},
    {"ItemNumberZero", false, "ITEM=1\nNAME=a\nITEM=0\nNAME=zero", "1 / 1:a|0|0|0|",
     "Error_modItem_Init: Subscript out of range: \"NAME=zero\" is not inside an ITEM= block numbered 1 or "
     "more Item#=0"},
    {"ItemNumberNegative", false, "ITEM=1\nITEM=-3\nMOVABLE", "1",
     "Error_modItem_Init: Subscript out of range: \"MOVABLE\" is not inside an ITEM= block numbered 1 or "
     "more Item#=-3"},
    {"ItemFileWithoutBlocks", false, "; nothing", "0", "Error_modItem_Init: Subscript out of range Item#=0"},
    {"MonsterFieldsFromTheirKeys", true,
     "; MONSTER=9\nMONSTER=3\nname=  cave bear  \nLevel=2.9\nIMAGE=7\nLIFE=40\nSTAMINA=-0.5\nSIGHTRANGE=6\n"
     "MELEE=15\nDEADITEM=dagger\nSoundId=255\nLIFE=41",
     "3 / 3:cave bear|2|7|41|-1|6|15|26|255", ""},
    {"MonsterDeadItemByNumberOrName", true,
     "MONSTER=1\nDEADITEM=28\nMONSTER=2\nDEADITEM=5.7\nMONSTER=3\nDEADITEM=SMALL GOLD\nMONSTER=4\n"
     "DEADITEM=  rat carcass \nMONSTER=5\nDEADITEM=no such thing\nMONSTER=6\nDEADITEM=\nMONSTER=7\n"
     "DEADITEM=-2\nMONSTER=8\nDEADITEM=-0.5",
     "8 / 1:|0|0|0|0|0|0|28|0 / 2:|0|0|0|0|0|0|5|0 / 3:|0|0|0|0|0|0|24|0 / 4:|0|0|0|0|0|0|28|0 / "
     "7:|0|0|0|0|0|0|-2|0 / 8:|0|0|0|0|0|0|-1|0",
     ""},
    {"MonsterUnknownLineShowsTextFirst", true, "MONSTER=1\n  NAME=indented\nNAME=rat",
     "1 / 1:rat|0|0|0|0|0|0|0|0", "Unknown line found in monster.ini\r\n  NAME=indented"},
    {"MonsterSoundPast8Bits", true, "MONSTER=1\nSOUNDID=255\nSOUNDID=256", "1 / 1:|0|0|0|0|0|0|0|255",
     "Error_modMonster_Init: Overflow Monster#=1"},
    {"MonsterSoundBelowZero", true, "MONSTER=1\nSOUNDID=-1", "1",
     "Error_modMonster_Init: Overflow Monster#=1"},
    {"MonsterDeadItemPastTheItems", true, "MONSTER=1\nNAME=rat\nMONSTER=2\nDEADITEM=29\nNAME=never",
     "2 / 1:rat|0|0|0|0|0|0|0|0", "Error_modMonster_Init: Dead item 29 is not in item.ini Monster#=2"},
    {"MonsterNumberZero", true, "MONSTER=1\nNAME=rat\nMONSTER=0\nLIFE=3", "1 / 1:rat|0|0|0|0|0|0|0|0",
     "Error_modMonster_Init: Subscript out of range: \"LIFE=3\" is not inside a MONSTER= block numbered 1 or "
     "more Monster#=0"},
    {"MonsterFileWithoutPositiveNumbers", true, "MONSTER=0\nMONSTER=-4", "0",
     "Error_modMonster_Init: No MONSTER= line with a number of 1 or more Monster#=0"},
};

INSTANTIATE_TEST_SUITE_P(Catalogue, CatalogueRules, ::testing::ValuesIn(kRules),
                         [](const auto& info) { return std::string(info.param.name); });

// The checker prints file:line for each finding, so every line counts once, blank ones too.
TEST(Catalogue, findingsNameTheirLine) {
    struct Lines : Findings {
        std::vector<int> seen;
        void warning(const Finding& f) override { seen.push_back(f.line); }
        void failure(const Finding& f) override { seen.push_back(-f.line); } // told apart by the sign
    } findings;
    const auto file =
        readItemCatalogue(crlf({"ITEM=1", "", "FOO=1", "NAME=a", "BAR=2", "ITEM=2", "ITEM=1"}), findings);
    // An entry's own line is where its block last starts; a dead item is kept as written for the checker.
    const auto monsters = readMonsterCatalogue(crlf({"MONSTER=1", "DEADITEM=01"}), {1, {}}, findings);
    EXPECT_EQ(std::tuple(findings.seen, file.entries.at(1).line, file.entries.at(2).line, file.idOf("A"),
                         file.idOf("b"), monsters.entries.at(1).texts.at("DEADITEM")),
              std::tuple(std::vector<int>{3, 5}, 7, 6, 1, 0, "01"));
}

// A quoted line keeps printable Latin-1, escapes control characters and DEL, and stops at 60.
TEST(Catalogue, quotedLinesShowControlCharacters) {
    EXPECT_EQ(gf::quoted("a\tb\x01~\x7f\xe9"), "\"a\\tb\\x01~\\x7f\xe9\"");
    EXPECT_EQ(gf::quoted(std::string(61, 'x')), "\"" + std::string(60, 'x') + "...\"");
    EXPECT_EQ(gf::quoted(std::string(60, 'x')), "\"" + std::string(60, 'x') + "\"");
}

// Every level re-reads item.ini: one without blocks leaves no catalogue, not the one before; a missing one
// still empties the placed items; a missing monster.ini keeps the old catalogue.
TEST(Catalogue, blocklessOrMissingFilesAreReportedAndLeaveNoCatalogue) {
    TestGame t;
    prepareEmptyLevel(t);
    t.write("item.ini", lines("; nothing"));
    loadItemCatalogue(t.game);
    EXPECT_EQ(itemEntries(t.game), "0");
    t.game.items(5).inUse = true;
    std::filesystem::remove(t.folder / "item.ini");
    std::filesystem::remove(t.folder / "monster.ini");
    t.io.log.events.clear();
    loadItemCatalogue(t.game);
    loadMonsterCatalogue(t.game);
    EXPECT_EQ(joined(boxTexts(t)), "Error_modItem_Init: File not found: " + t.path("item.ini") +
                                       " Item#=0 / Error_modMonster_Init: File not found: " +
                                       t.path("monster.ini") + " Monster#=0");
    EXPECT_EQ(std::tuple(t.game.items.size(), t.game.items(5).inUse, t.game.catalogue.monsters.size()),
              std::tuple(1000, false, 2));
}

// A file that is no catalogue costs at most twenty boxes and a count, each cut short, and no crash.
TEST(Catalogue, hostileFileGivesBoundedBoxes) {
    std::string file = std::string("ITEM=1\r\nNAME=a\0b\r\nNAME=", 23) + std::string(10'000'000, 'x') +
                       "\r\n" + std::string(10'000'000, 'y') + std::string(3'000'000, '\n');
    for (int i = 0; i < 200000; ++i)
        file += static_cast<char>((i * 7919) % 256);
    TestGame t;
    t.write("item.ini", file);
    loadItemCatalogue(t.game);
    EXPECT_EQ(boxTexts(t).size(), 21u);
    for (const auto& text : boxTexts(t))
        EXPECT_LT(text.size(), 1000u);
}

// The item and creature tables: which entry a new item or creature takes and how the tables grow.
struct Level : EmptyLevel {
    // Fills cells with items row by row from (0, 0).
    void fill(int count) {
        for (int k = 0; k < count; ++k)
            ASSERT_EQ(addItem(g, 1, k % 101, k / 101), k + 1);
    }
    template <class T> static std::vector<int32_t> inUse(const Table<T>& table, bool T::*used) {
        std::vector<int32_t> out;
        for (int32_t i = 1; i <= table.size(); ++i)
            if (table(i).*used) out.push_back(i);
        return out;
    }
    std::vector<int32_t> items() { return inUse(g.items, &Item::inUse); }
    std::vector<int32_t> creatures() { return inUse(g.creatures, &Creature::active); }
};
class ItemTable : public ::testing::Test, public Level {};

// One item a cell; the lowest free entry is reused, and a stale delete leaves another item's cell alone.
TEST_F(ItemTable, addTakesLowestFreeEntryAndDeleteFreesIt) {
    fill(6);
    for (const auto& [x, y] : {std::pair{4, 0}, {-1, 5}, {4, 101}, {101, 0}})
        EXPECT_EQ(addItem(g, 27, x, y), 0) << x << "," << y;
    EXPECT_EQ(addItem(g, 26, 100, 100), 7);
    EXPECT_EQ(g.items(7), (Item{true, 26, 100, 100, 0}));
    for (const int32_t index : {0, 5, 2, 2})
        removeItem(g, index);
    EXPECT_EQ(g.items(2), Item{});
    EXPECT_EQ(
        std::tuple(g.level.itemAt(0, 0), g.level.itemAt(1, 0), g.level.itemAt(2, 0), g.level.itemAt(4, 0)),
        std::tuple(1, 0, 3, 0));
    EXPECT_EQ(items(), (std::vector<int32_t>{1, 3, 4, 6, 7}));
    for (const auto& [y, entry] : {std::pair{9, 2}, {10, 5}, {11, 8}})
        EXPECT_EQ(addItem(g, 1, 9, y), entry) << y;
    removeItem(g, 3000);
    EXPECT_EQ(boxTexts(t), Texts{"Error_modItem_Delete : Subscript out of range"});
}

// The growth rule: 1000 in use grows to 2000 and gives 1991; later additions take 1001 first.
TEST_F(ItemTable, fullTableGrowsByAThousandAndTakesUpperMinusNine) {
    fill(1000);
    for (const auto& [x, entry] : {std::pair{50, 1991}, {51, 1001}, {52, 1002}})
        EXPECT_EQ(addItem(g, 1, x, 50), entry) << x;
    EXPECT_EQ(std::pair(g.items.size(), items().size()), std::pair(2000, std::size_t{1003}));
}

// Lowest free entry first, growing by ten when full; a refused add leaves no half-made entry.
TEST(CreatureTable, lowestFreeEntryIsTakenAndFullTableGrowsByTen) {
    Level l;
    for (int i = 1; i <= 20; ++i)
        ASSERT_EQ(addCreature(l.g, 1, i, 0), i);
    EXPECT_EQ(std::tuple(addCreature(l.g, 2, 1, 0), addCreature(l.g, 2, 101, 5), addCreature(l.g, 3, 6, 6)),
              std::tuple(0, 0, 0));
    EXPECT_EQ(std::tuple(l.g.level.creatureAt(1, 0), l.g.level.creatureAt(6, 6), l.g.creatures.size()),
              std::tuple(1, 0, 20));
    EXPECT_EQ(addCreature(l.g, 2, 0, 5), 21);
    EXPECT_EQ(l.g.creatures.size(), 30);
    removeCreature(l.g, 3);
    EXPECT_EQ(l.g.level.creatureAt(3, 0), 0);
    EXPECT_EQ(addCreature(l.g, 2, 3, 1), 3);
    const Creature& p = l.g.creatures(3);
    EXPECT_EQ(std::tuple(p.name, p.active, p.monsterType, p.level, p.image, p.life, p.maxLife, p.stamina,
                         p.maxStamina, p.sightRange, p.facing, p.homeX, p.homeY, p.nextLevelXp,
                         p.skill(1).known, p.skill(1).value),
              std::tuple(fixedName("goblin"), true, 2, 2, 2, 12, 12, 40, 40, 7, 2, 3, 1, 0, true, 12));
    EXPECT_EQ(addCreature(l.g, 2, 3, 2), 22);
    l.g.creatures.current = 22;
    removeCreature(l.g, 22);
    EXPECT_EQ(std::tuple(l.g.creatures.current, l.g.level.creatureAt(3, 2), l.creatures().size()),
              std::tuple(0, 0, 21u));
    EXPECT_EQ(boxTexts(l.t), Texts{"Error_modPlayer_Add : Monster 3 is not in monster.ini"});
}

// The user's creature: fixed starting values, the answered name, melee 10 + 10r rounded half to even.
TEST(CreatureTable, setupCreatesTheUsersCreature) {
    for (const auto& [draw, melee] : {std::pair{0.0f, 10}, {0.25f, 12}, {0.35f, 14}, {0.999999f, 20}}) {
        Level l;
        std::tie(l.g.level.startX, l.g.level.startY) = std::tuple(40, 60);
        l.t.io.window.inputAnswers.push_back("Ann");
        l.t.io.random.queue(draw);
        createUser(l.g);
        ASSERT_EQ(l.g.creatures.current, 1);
        const Creature& p = l.g.creatures(1);
        EXPECT_EQ(std::tuple(p.name, p.monsterType, p.image, p.life, p.maxLife, p.stamina, p.maxStamina,
                             p.sightRange, p.level, p.nextLevelXp, p.facing, p.skill(1).known,
                             p.skill(1).xpToRaise, p.skill(1).value, l.g.level.creatureAt(40, 60),
                             l.g.screen.viewX, l.g.screen.viewY),
                  std::tuple("Ann" + std::string(97, ' '), 0, 0, 50, 50, 100, 100, 100, 1, 1000, 2, true, 100,
                             melee, 1, 40, 60))
            << draw;
        EXPECT_EQ(l.t.io.log.of("input").at(0)["title"], "Murkhol");
    }
}

// The name box asks again, saying why, until the name can be saved; Cancel leaves no creature.
TEST(CreatureTable, setupAsksUntilTheNameCanBeSaved) {
    const std::string ask = "Enter your players name:", unnamed = "A saved game needs a name.\r\n" + ask,
                      slashed = "\"../a/b\" cannot name a saved game: it may not hold slashes, colons or "
                                "control characters.\r\n" +
                                ask;
    for (const bool cancel : {false, true}) {
        Level l;
        l.t.io.window.inputAnswers = {"", "   ", "../a/b",
                                      cancel ? std::nullopt : std::optional(std::string(150, 'z'))};
        createUser(l.g);
        std::vector<std::string> prompts;
        for (const auto& e : l.t.io.log.of("input"))
            prompts.push_back(e["prompt"]);
        EXPECT_EQ(prompts, (Texts{ask, unnamed, unnamed, slashed}));
        EXPECT_EQ(std::tuple(l.g.creatures.current, l.creatures().size()),
                  cancel ? std::tuple(0, 0u) : std::tuple(1, 1u));
        EXPECT_EQ(displayName(l.g.creatures(1).name), cancel ? "" : std::string(100, 'z'))
            << "cut to the field";
    }
}

// No level, a taken start cell or one off the map: one box, no name asked, no creature for the user.
TEST(CreatureTable, setupRefusesWithoutAStartCell) {
    const std::pair<void (*)(Level&), const char*> cases[] = {
        {[](Level& l) { addCreature(l.g, 1, 0, 0); }, "The start cell (0, 0) is taken"},
        {[](Level& l) { l.g.level.startY = 101; }, "The start cell (0, 101) is off the map"},
        {[](Level& l) { l.g.level.creatureAt = Layer<int32_t>(); }, "There is no level to start on"},
    };
    for (const auto& [prepare, description] : cases) {
        Level l;
        prepare(l);
        createUser(l.g);
        EXPECT_EQ(std::tuple(l.g.creatures.current, l.t.io.log.of("input").size()), std::tuple(0, 0u))
            << description;
        EXPECT_EQ(boxTexts(l.t), Texts{std::string("Error_modPlayer_Setup : ") + description});
    }
}

} // namespace
} // namespace gf::test
