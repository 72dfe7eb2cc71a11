#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

std::vector<std::string> boxTexts(TestGame& t) {
    std::vector<std::string> out;
    for (const auto& e : t.io.log.of("msgbox"))
        out.push_back(e["text"].get<std::string>());
    return out;
}

// Sizing by the highest ITEM= number, not by how many blocks there are.
TEST(ItemCatalogue, catalogueSizedByHighestNumberWithBlankGaps) {
    TestGame t;
    t.write("item.ini", crlf({"ITEM=30", "NAME=last", "ITEM=2", "NAME=second"}));
    modItem_Init(t.game);
    ASSERT_EQ(t.game.ItemTypes.ubound(), 30);
    EXPECT_EQ(t.game.ItemTypes(30).Name, "last");
    EXPECT_EQ(t.game.ItemTypes(2).Name, "second");
    const ItemType& blank = t.game.ItemTypes(29);
    EXPECT_EQ(blank.Name, "");
    EXPECT_EQ(blank.Image, 0);
    EXPECT_FALSE(blank.BlockMovement || blank.Movable);
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

// The format's settled details: case-free keys, trimmed values, floored numbers,
// merging of repeated blocks, flags that read nothing after the key.
TEST(ItemCatalogue, formatRulesOfValuesAndKeys) {
    TestGame t;
    t.write("item.ini",
            crlf({"; ITEM=99 in a comment does not size the catalogue", "", "   ", "item=4",
                  "Name=   long sword   ", "iMaGe=3.9", "DAMAGE=5", "ARMOR=-0.5", "BlockMovement=0",
                  "MOVABLE=NO", "ITEM=1.7", "NAME=wall\twith tab ", "ITEM=4", "NAME=renamed"}));
    modItem_Init(t.game);
    ASSERT_EQ(t.game.ItemTypes.ubound(), 4);
    const ItemType& four = t.game.ItemTypes(4);
    EXPECT_EQ(four.Name, "renamed");
    EXPECT_EQ(four.Image, 3);
    EXPECT_EQ(four.Damage, 5);
    EXPECT_EQ(four.Armor, -1);
    EXPECT_TRUE(four.BlockMovement);
    EXPECT_TRUE(four.Movable);
    EXPECT_EQ(t.game.ItemTypes(1).Name, "wall\twith tab");
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

// Names match without regard to case or outer spaces; the lowest number wins.
TEST(ItemCatalogue, itemIdMatchesTrimmedNameCaseFreeLowestFirst) {
    TestGame t;
    t.write("item.ini",
            crlf({"ITEM=2", "NAME=   long sword   ", "ITEM=5", "NAME=Long Sword", "ITEM=6", "NAME=bow"}));
    modItem_Init(t.game);
    struct Case {
        std::string name;
        int16_t id;
    };
    for (const Case& c :
         {Case{"LONG SWORD ", 2}, Case{"bow", 6}, Case{"axe", 0}, Case{"", 1}, Case{"   ", 1}})
        EXPECT_EQ(modItem_ID(t.game, c.name), c.id) << '"' << c.name << '"';

    t.write("item.ini", crlf({"ITEM=1", "NAME=a", "ITEM=2", "NAME=b"}));
    modItem_Init(t.game);
    EXPECT_EQ(modItem_ID(t.game, ""), 0); // no gaps: nothing has an empty name
}

// A key must start in the first column; the warning shows the line, then the text.
TEST(ItemCatalogue, unknownLineWarnsAndReadingGoesOn) {
    TestGame t;
    t.write("item.ini", crlf({"ITEM=1", " NAME=indented", "COLOR=red", "NAME=kept"}));
    modItem_Init(t.game);
    EXPECT_EQ(t.game.ItemTypes(1).Name, "kept");
    const auto boxes = t.io.log.of("msgbox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0]["text"], " NAME=indented\r\nUnknown line found in item.ini");
    EXPECT_EQ(boxes[0]["title"], "WARNING!!!!");
    EXPECT_EQ(boxes[0]["icon"], "exclamation");
    EXPECT_EQ(boxes[0]["buttons"], "ok");
    EXPECT_EQ(boxes[1]["text"], "COLOR=red\r\nUnknown line found in item.ini");
}

// Each bad file ends loading with one box naming the item number being read;
// entries filled before the bad line keep their values.
TEST(ItemCatalogue, failuresEndLoadingWithTheNumberedBox) {
    struct Case {
        std::string file;
        std::string description; // the start of it
        std::string number;
    };
    const std::vector<Case> cases = {
        {crlf({"ITEM=1", "NAME=a", "ITEM=2", "IMAGE=abc", "NAME=never"}), "Type mismatch", "2"},
        {crlf({"ITEM=1", "NAME=a", "ITEM=32768"}), "Overflow", "1"},
        {crlf({"ITEM=1", "NAME=a", "ITEM=1e9"}), "Overflow", "1"},
        {crlf({"ITEM=-32769"}), "Overflow", "0"},
        {crlf({"ITEM=1", "NAME=a", "ITEM=2", "IMAGE=40000", "NAME=never"}), "Overflow", "2"},
        {crlf({"ITEM=1", "NAME=a", "ITEM=2", "DAMAGE=3000000000", "NAME=never"}), "Overflow", "2"},
        {crlf({"NAME=before any item", "ITEM=1"}), "Subscript out of range", "0"},
        {crlf({"ITEM=1", "NAME=a", "ITEM=0", "NAME=zero"}), "Subscript out of range", "0"},
        {crlf({"ITEM=1", "NAME=a", "ITEM=-3", "MOVABLE"}), "Subscript out of range", "-3"},
        {crlf({"; nothing but a comment"}), "Subscript out of range", "0"},
        {"", "Subscript out of range", "0"},
    };
    for (const Case& c : cases) {
        TestGame t;
        t.write("item.ini", c.file);
        modItem_Init(t.game);
        const auto boxes = boxTexts(t);
        ASSERT_EQ(boxes.size(), 1u) << c.file;
        const std::string prefix = "Error_modItem_Init: " + c.description;
        EXPECT_EQ(boxes[0].rfind(prefix, 0), 0u) << boxes[0];
        EXPECT_TRUE(boxes[0].ends_with(" Item#=" + c.number)) << boxes[0];
        EXPECT_EQ(t.io.log.of("msgbox")[0]["title"], "Murkhol");
        if (c.file.starts_with("ITEM=1\r\nNAME=a") && t.game.ItemTypes.valid(1)) {
            EXPECT_EQ(t.game.ItemTypes(1).Name, "a") << c.file;
        }
        if (t.game.ItemTypes.valid(2)) {
            EXPECT_NE(t.game.ItemTypes(2).Name, "never");
        }
    }
}

// Every level re-reads the catalogue: a missing file still leaves an empty item
// table, and an ITEM-less file no catalogue to look numbers up in.
TEST(ItemCatalogue, missingOrEmptyFileLeavesEmptyItemsAndNoCatalogue) {
    TestGame t;
    t.write("item.ini", basicItemIni());
    modItem_Init(t.game);
    ASSERT_GT(t.game.ItemTypes.ubound(), 0);
    t.game.Items(5).InUse = true;

    std::filesystem::remove(t.folder / "item.ini");
    modItem_Init(t.game);
    const auto boxes = boxTexts(t);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Error_modItem_Init: File not found: ", 0), 0u) << boxes[0];
    EXPECT_EQ(t.game.Items.ubound(), 1000);
    EXPECT_FALSE(t.game.Items(5).InUse);

    t.write("item.ini", "");
    modItem_Init(t.game);
    EXPECT_EQ(t.game.ItemTypes.ubound(), 0);
    EXPECT_EQ(modItem_ID(t.game, "wall 1"), 0);
}

// Files that are no catalogue at all cost a bounded number of boxes, and no crash.
TEST(ItemCatalogue, hostileFilesGiveBoundedBoxes) {
    std::string garbage;
    for (int i = 0; i < 200000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    const std::vector<std::string> files = {
        garbage,
        std::string("ITEM=1\r\nNAME=a\0b\r\nIMAGE=\0\r\n", 26),
        "ITEM=1\r\nNAME=" + std::string(10'000'000, 'x') + "\r\n",
        "ITEM=1\r\n" + std::string(10'000'000, 'y') + "\r\n",
        std::string(3'000'000, '\n'),
    };
    for (const std::string& file : files) {
        TestGame t;
        t.write("item.ini", file);
        modItem_Init(t.game);
        const auto boxes = boxTexts(t);
        EXPECT_LE(boxes.size(), static_cast<std::size_t>(21));
        for (const auto& text : boxes)
            EXPECT_LT(text.size(), 1000u);
        EXPECT_EQ(t.game.Items.ubound(), 1000);
    }
}

} // namespace
} // namespace gf::test
