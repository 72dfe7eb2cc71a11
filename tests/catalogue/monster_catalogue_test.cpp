#include "creatures/monster_catalogue.h"
#include "items/item_catalogue.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

// Monster tests read against the basic item catalogue, since dead items may be named.
struct MonsterFile {
    TestGame t;
    void load(const std::string& contents) {
        t.write("item.ini", basicItemIni());
        modItem_Init(t.game);
        t.write("monster.ini", contents);
        modMonster_Init(t.game);
    }
    std::vector<nlohmann::json> boxes() { return t.io.log.of("msgbox"); }
};

// Every field lands where it belongs, numbers floored, names trimmed, keys case-free.
TEST(MonsterCatalogue, fieldsReadFromTheirKeys) {
    MonsterFile f;
    f.load(crlf({"; MONSTER=9 in a comment", "MONSTER=3", "name=  cave bear  ", "Level=2.9", "IMAGE=7",
                 "LIFE=40", "STAMINA=-0.5", "SIGHTRANGE=6", "MELEE=15", "DEADITEM=dagger", "SoundId=255",
                 "LIFE=41"}));
    ASSERT_EQ(f.t.game.MonsterTypes.ubound(), 3);
    const MonsterInfo& m = f.t.game.MonsterTypes(3);
    EXPECT_EQ(m.Name, "cave bear");
    EXPECT_EQ(m.Level, 2);
    EXPECT_EQ(m.Image, 7);
    EXPECT_EQ(m.Life, 41);
    EXPECT_EQ(m.Stamina, -1);
    EXPECT_EQ(m.SightRange, 6);
    EXPECT_EQ(m.Melee, 15);
    EXPECT_EQ(m.DeadItem, 26);
    EXPECT_EQ(m.SoundID, 255);
    EXPECT_EQ(f.t.game.MonsterTypes(1).Name, "");
    EXPECT_EQ(f.t.game.MonsterTypes(2).Life, 0);
    EXPECT_TRUE(f.boxes().empty());
}

// A dead item is a number when it reads as one, else a name looked up in item.ini;
// 0 or below leaves nothing and is kept as it is.
TEST(MonsterCatalogue, deadItemByNumberOrName) {
    struct Case {
        std::string value;
        int16_t item;
    };
    for (const Case& c :
         {Case{"5", 5}, Case{"5.7", 5}, Case{"SMALL GOLD", 24}, Case{"  rat carcass ", 28},
          Case{"no such thing", 0}, Case{"", 0}, Case{"0", 0}, Case{"-2", -2}, Case{"-0.5", -1}}) {
        MonsterFile f;
        f.load(crlf({"MONSTER=1", "DEADITEM=" + c.value}));
        EXPECT_EQ(f.t.game.MonsterTypes(1).DeadItem, c.item) << c.value;
        EXPECT_TRUE(f.boxes().empty()) << c.value;
    }
}

// The warning puts the text first and the line after it, unlike item.ini.
TEST(MonsterCatalogue, unknownLineWarnsTextThenLine) {
    MonsterFile f;
    f.load(crlf({"MONSTER=1", "  NAME=indented", "NAME=rat"}));
    EXPECT_EQ(f.t.game.MonsterTypes(1).Name, "rat");
    const auto boxes = f.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["text"], "Unknown line found in monster.ini\r\n  NAME=indented");
    EXPECT_EQ(boxes[0]["title"], "WARNING!!!!");
    EXPECT_EQ(boxes[0]["icon"], "exclamation");
}

// Bad values stop reading with one numbered box; what was read before stays.
TEST(MonsterCatalogue, failuresStopReadingWithTheNumberedBox) {
    struct Case {
        std::string file;
        std::string description;
        std::string number;
    };
    const std::vector<Case> cases = {
        {crlf({"MONSTER=1", "NAME=rat", "MONSTER=2", "LIFE=lots", "NAME=never"}), "Type mismatch", "2"},
        {crlf({"MONSTER=1", "NAME=rat", "MONSTER=2000000000"}), "Overflow", "1"},
        {crlf({"MONSTER=1", "NAME=rat", "MONSTER=32768"}), "Overflow", "1"},
        {crlf({"MONSTER=1", "NAME=rat", "MONSTER=2", "IMAGE=40000", "NAME=never"}), "Overflow", "2"},
        {crlf({"MONSTER=1", "NAME=rat", "MONSTER=2", "SOUNDID=256", "NAME=never"}), "Overflow", "2"},
        {crlf({"MONSTER=1", "NAME=rat", "MONSTER=2", "SOUNDID=-1", "NAME=never"}), "Overflow", "2"},
        {crlf({"MONSTER=1", "NAME=rat", "MONSTER=2", "DEADITEM=99", "NAME=never"}), "Dead item 99", "2"},
        {crlf({"NAME=nobody", "MONSTER=1"}), "Subscript out of range", "0"},
        {crlf({"MONSTER=1", "NAME=rat", "MONSTER=0", "LIFE=3"}), "Subscript out of range", "0"},
        {crlf({"MONSTER=0", "MONSTER=-4"}), "No MONSTER= line", "0"},
        {"", "No MONSTER= line", "0"},
    };
    for (const Case& c : cases) {
        MonsterFile f;
        f.load(c.file);
        const auto boxes = f.boxes();
        ASSERT_EQ(boxes.size(), 1u) << c.file;
        const std::string text = boxes[0]["text"];
        EXPECT_EQ(text.rfind("Error_modMonster_Init: " + c.description, 0), 0u) << text;
        EXPECT_TRUE(text.ends_with(" Monster#=" + c.number)) << text;
        EXPECT_EQ(boxes[0]["title"], "Murkhol");
        if (f.t.game.MonsterTypes.valid(2)) {
            EXPECT_EQ(f.t.game.MonsterTypes(1).Name, "rat") << c.file;
            EXPECT_NE(f.t.game.MonsterTypes(2).Name, "never") << c.file;
        }
    }
}

// A missing file is reported like any other failure and leaves no catalogue.
TEST(MonsterCatalogue, missingFileReported) {
    TestGame t;
    modMonster_Init(t.game);
    const auto boxes = t.io.log.of("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["text"].get<std::string>().rfind("Error_modMonster_Init: File not found: ", 0), 0u);
    EXPECT_EQ(t.game.MonsterTypes.ubound(), 0);
}

// Unknown lines never cost the entries around them; past twenty boxes the
// rest are counted into one closing box.
TEST(MonsterCatalogue, manyUnknownLinesKeepTheCatalogue) {
    for (const int unknown : {21, 500}) {
        std::string lines;
        for (int i = 0; i < unknown; ++i)
            lines += "line " + std::to_string(i) + "\r\n";
        MonsterFile f;
        f.load(crlf({"MONSTER=1", "NAME=rat", "DEADITEM=-2"}) + lines + crlf({"MONSTER=2", "NAME=goblin"}));
        EXPECT_EQ(f.t.game.MonsterTypes(1).DeadItem, -2);
        EXPECT_EQ(f.t.game.MonsterTypes(2).Name, "goblin") << unknown;
        const auto boxes = f.boxes();
        ASSERT_EQ(boxes.size(), 21u) << unknown;
        EXPECT_EQ(boxes.back()["text"], std::to_string(unknown - 20) +
                                            " more lines of monster.ini could not be read and were ignored");
    }
}

// The catalogues the game ships with read without a single warning, and every dead item exists.
TEST(MonsterCatalogue, shippedCataloguesReadCleanly) {
    TestGame t;
    t.copyData("item.ini");
    t.copyData("monster.ini");
    modItem_Init(t.game);
    modMonster_Init(t.game);
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
    ASSERT_GE(t.game.ItemTypes.ubound(), 25);
    ASSERT_GE(t.game.MonsterTypes.ubound(), 1);
    for (const MonsterInfo& m : t.game.MonsterTypes) {
        EXPECT_FALSE(m.Name.empty());
        EXPECT_TRUE(m.DeadItem == 0 || t.game.ItemTypes.valid(m.DeadItem)) << m.Name;
    }
}

} // namespace
} // namespace gf::test
