#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

struct ItemLevel {
    TestGame t;
    Game& g = t.game;
    ItemLevel() { prepareEmptyLevel(t); }
    // Fills cells row by row from (0, 0).
    void fill(int count) {
        for (int k = 0; k < count; ++k)
            ASSERT_EQ(modItem_Add(g, 1, k % 101, k / 101), k + 1);
    }
    int32_t usedEntries() {
        int32_t n = 0;
        for (const Item& i : g.Items)
            n += i.InUse ? 1 : 0;
        return n;
    }
};

// A cell holds one item; off-map and taken cells leave table and layer alone.
TEST(ItemTable, addRefusesTakenAndOffMapCells) {
    ItemLevel l;
    ASSERT_EQ(modItem_Add(l.g, 26, 4, 5), 1);
    EXPECT_EQ(modItem_Add(l.g, 27, 4, 5), 0);
    EXPECT_EQ(modItem_Add(l.g, 27, -1, 5), 0);
    EXPECT_EQ(modItem_Add(l.g, 27, 4, 101), 0);
    EXPECT_EQ(l.g.MapItem(4, 5), 1);
    EXPECT_EQ(l.g.Items(1), (Item{true, 26, 4, 5, 0}));
    EXPECT_EQ(l.usedEntries(), 1);
    EXPECT_TRUE(l.t.io.log.of("msgbox").empty());
}

// The growth rule: 1000 in use grows to 2000 and gives 1991; later additions take 1001 first.
TEST(ItemTable, fullTableGrowsByAThousandAndTakesUpperMinusNine) {
    ItemLevel l;
    l.fill(1000);
    EXPECT_EQ(modItem_Add(l.g, 1, 50, 50), 1991);
    EXPECT_EQ(l.g.Items.ubound(), 2000);
    EXPECT_EQ(modItem_Add(l.g, 1, 51, 50), 1001);
    EXPECT_EQ(modItem_Add(l.g, 1, 52, 50), 1002);
    for (int i = 1003; i <= 1990; ++i)
        EXPECT_FALSE(l.g.Items(i).InUse);
}

// Deleting frees exactly its entry and cell, and the lowest free entry is reused first.
TEST(ItemTable, deleteFreesEntryAndLowestIsReused) {
    ItemLevel l;
    l.fill(6);
    modItem_Delete(l.g, 0);
    EXPECT_EQ(l.usedEntries(), 6);
    modItem_Delete(l.g, 5);
    modItem_Delete(l.g, 2);
    EXPECT_EQ(l.g.Items(2), Item{});
    EXPECT_EQ(l.g.MapItem(1, 0), 0);
    EXPECT_EQ(l.g.MapItem(2, 0), 3);
    EXPECT_EQ(l.usedEntries(), 4);
    EXPECT_EQ(modItem_Add(l.g, 1, 9, 9), 2);
    EXPECT_EQ(modItem_Add(l.g, 1, 9, 10), 5);
    EXPECT_EQ(modItem_Add(l.g, 1, 9, 11), 7);
}

// Deleting an entry twice must not clear the cell another item now holds.
TEST(ItemTable, staleDeleteLeavesOtherItemsAlone) {
    ItemLevel l;
    ASSERT_EQ(modItem_Add(l.g, 1, 0, 0), 1);
    ASSERT_EQ(modItem_Add(l.g, 1, 3, 3), 2);
    modItem_Delete(l.g, 2);
    modItem_Delete(l.g, 2);
    EXPECT_EQ(l.g.MapItem(0, 0), 1);
    modItem_Delete(l.g, 3000);
    ASSERT_EQ(l.t.io.log.of("msgbox").size(), 1u);
    EXPECT_EQ(l.t.io.log.of("msgbox")[0]["text"], "Error_modItem_Delete : Subscript out of range");
}

// A table replaced whole, by a new level or by hand, is searched from its start again, whether the
// new one is cleared, of the same size or smaller.
TEST(ItemTable, replacedTableIsSearchedFromTheStart) {
    ItemLevel l;
    for (const auto replace : {+[](Game& g) { modItem_Init(g); }, +[](Game& g) { g.Items.redim(1000); },
                               +[](Game& g) { g.Items.redim(50); }}) {
        l.g.MapItem.create();
        l.fill(300);
        replace(l.g);
        l.g.MapItem.create();
        EXPECT_EQ(modItem_Add(l.g, 1, 7, 7), 1);
        modItem_Delete(l.g, 1);
    }
}

} // namespace
} // namespace gf::test
