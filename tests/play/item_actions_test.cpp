#include "creatures/creature_table.h"
#include "creatures/movement.h"
#include "fight_support.h"
#include "items/item_actions.h"
#include "items/item_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace gf::test {
namespace {

class ItemActions : public FightLevel {};

// An item in front, even one that cannot be taken, hides the one underfoot.
TEST_F(ItemActions, pickupTakesFrontItemBeforeTheOneUnderfoot) {
    const int32_t u = addUser(t, 10, 10, 6);
    modItem_Add(g, FightItem::Dagger, 10, 10);
    modItem_Add(g, ItemId::StoneWall, 11, 10);
    modItem_Pickup(g, u);
    EXPECT_FALSE(user().carry(1).InUse);
    EXPECT_NE(g.MapItem(10, 10), 0);

    user().Facing = 2; // empty floor in front
    modItem_Pickup(g, u);
    EXPECT_EQ(user().carry(1), (Item{true, FightItem::Dagger, 10, 10, 0}));
    EXPECT_EQ(g.MapItem(10, 10), 0);
    EXPECT_EQ(sounds(), std::vector<int>{13});
}

// Pick-ups fill the lowest free slot, so a slot freed by a drop is filled first.
TEST_F(ItemActions, pickupFillsLowestFreeSlot) {
    const int32_t u = addUser(t, 10, 10, 6);
    give(t, u, 1, FightItem::Stick);
    give(t, u, 3, FightItem::Stick);
    modItem_Add(g, FightItem::Pebble, 11, 10);
    modItem_Pickup(g, u);
    EXPECT_EQ(user().carry(2).ID, FightItem::Pebble);
}

// With twenty items carried the user is told, by its trimmed name, and the item stays.
TEST_F(ItemActions, pickupWithFullInventoryShowsMessage) {
    const int32_t u = addUser(t, 10, 10, 6, 15, "  Ana  ");
    for (int slot = 1; slot <= kCarrySlots; ++slot)
        give(t, u, slot, FightItem::Stick);
    const int32_t dagger = modItem_Add(g, FightItem::Dagger, 11, 10);
    modItem_Pickup(g, u);
    EXPECT_EQ(g.MapItem(11, 10), dagger);
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"Ana's inventory is full!"});
    EXPECT_EQ(g.message(20).Color, static_cast<int32_t>(kYellow));
    EXPECT_TRUE(sounds().empty());
}

// Items without the movable flag stay where they are, silently.
TEST_F(ItemActions, pickupIgnoresFixedItems) {
    const int32_t u = addUser(t, 10, 10, 6);
    modItem_Add(g, ItemId::SmallGold, 11, 10);
    modItem_Pickup(g, u);
    EXPECT_FALSE(user().carry(1).InUse);
    EXPECT_NE(g.MapItem(11, 10), 0);
    EXPECT_TRUE(shownMessages(g).empty());
}

// A drop lands in front when that cell is free, keeping the record as it was carried.
TEST_F(ItemActions, dropPutsItemInFront) {
    const int32_t u = addUser(t, 50, 50, 6);
    user().carry(3) = Item{true, FightItem::Dagger, 7, 7, 0};
    modItem_Drop(g, u, 3);
    const int32_t placed = g.MapItem(51, 50);
    ASSERT_NE(placed, 0);
    EXPECT_EQ(g.Items(placed), (Item{true, FightItem::Dagger, 51, 50, 0}));
    EXPECT_FALSE(user().carry(3).InUse);
    EXPECT_TRUE(sounds().empty());
}

// A drop only lands where a pick-up reaches: the faced cell, else the creature's own.
TEST_F(ItemActions, dropStaysWithinReach) {
    struct Case {
        const char* what;
        int32_t x, y;
        int16_t facing;
        std::vector<std::pair<int, int>> taken;
        std::optional<std::pair<int, int>> lands;
    };
    const Case cases[] = {
        {"front taken", 50, 50, 6, {{51, 50}}, std::pair{50, 50}},
        {"facing off the map", 0, 0, 7, {}, std::pair{0, 0}},
        {"walled in, standing on an item", 50, 50, 6, {{51, 50}, {50, 50}}, std::nullopt},
    };
    for (const Case& c : cases) {
        TestGame l;
        prepareFightLevel(l);
        Game& lg = l.game;
        const int32_t u = addUser(l, c.x, c.y, c.facing);
        for (const auto& [x, y] : c.taken)
            modItem_Add(lg, FightItem::Pebble, x, y);
        give(l, u, 1, FightItem::Dagger);
        modItem_Drop(lg, u, 1);
        int dropped = 0;
        for (const Item& item : lg.Items)
            dropped += item.InUse && item.ID == FightItem::Dagger;
        if (c.lands) {
            EXPECT_EQ(lg.Items(lg.MapItem(c.lands->first, c.lands->second)).ID, FightItem::Dagger) << c.what;
            EXPECT_EQ(dropped, 1) << c.what;
        } else {
            EXPECT_EQ(dropped, 0) << c.what;
            EXPECT_TRUE(lg.Players(u).carry(1).InUse) << c.what;
            EXPECT_EQ(shownMessages(lg), std::vector<std::string>{"No room to drop item."}) << c.what;
        }
    }
}

// Dropping the readied weapon or worn armour puts it away; other slots leave them.
TEST_F(ItemActions, dropClearsEquipmentOfThatSlotOnly) {
    const int32_t u = addUser(t, 50, 50, 6);
    give(t, u, 1, FightItem::Dagger);
    give(t, u, 2, FightItem::SoftLeather);
    give(t, u, 3, FightItem::Pebble);
    user().WeaponSlot = 1;
    user().ArmorSlot = 2;
    modItem_Drop(g, u, 3);
    EXPECT_EQ(user().WeaponSlot, 1);
    EXPECT_EQ(user().ArmorSlot, 2);
    modItem_Drop(g, u, 1);
    EXPECT_EQ(user().WeaponSlot, 0);
    EXPECT_EQ(user().ArmorSlot, 2);
    user().Facing = 4;
    modItem_Drop(g, u, 2);
    EXPECT_EQ(user().ArmorSlot, 0);
}

// An empty slot has nothing to drop and must not leave a blank item on the map.
TEST_F(ItemActions, dropOfEmptySlotDoesNothing) {
    const int32_t u = addUser(t, 50, 50, 6);
    modItem_Drop(g, u, 4);
    EXPECT_EQ(g.MapItem(51, 50), 0);
    EXPECT_TRUE(shownMessages(g).empty());
}

// Gold amounts round halves to even: 5 to 10 for a small heap, 10 to 20 for a large one.
TEST_F(ItemActions, userStepsOntoGoldAndTakesIt) {
    struct Case {
        int16_t heap;
        float r;
        int32_t amount;
    };
    for (const Case c : {Case{24, 0.0f, 5}, Case{24, 0.25f, 6}, Case{24, 0.5f, 8}, Case{24, 0.9375f, 10},
                         Case{25, 0.25f, 12}, Case{25, 0.75f, 18}, Case{25, 0.99f, 20}}) {
        TestGame fresh;
        prepareFightLevel(fresh);
        const int32_t u = addUser(fresh, 10, 10, 6);
        modItem_Add(fresh.game, c.heap, 11, 10);
        fresh.io.random.queue(c.r);
        EXPECT_TRUE(modPlayer_Move(fresh.game, u, 6, true));
        EXPECT_EQ(fresh.game.Players(u).Gold, c.amount) << c.heap << " r " << c.r;
        EXPECT_EQ(fresh.game.MapItem(11, 10), 0);
        const std::string text = "You pick up " + std::to_string(c.amount) + " gold!";
        EXPECT_EQ(shownMessages(fresh.game), std::vector<std::string>{text});
        EXPECT_EQ(fresh.game.message(20).Color, static_cast<int32_t>(kBlue));
        EXPECT_EQ(fresh.io.sound.played, (std::vector<int>{3, 8}));
    }
}

// Gold is for the user's creature only; a monster walks over it.
TEST_F(ItemActions, monsterLeavesGoldWhereItLies) {
    const int32_t rat = modPlayer_Add(g, 1, 10, 10);
    const int32_t gold = modItem_Add(g, ItemId::SmallGold, 11, 10);
    EXPECT_TRUE(modPlayer_Move(g, rat, 6, true));
    EXPECT_EQ(g.MapItem(11, 10), gold);
    EXPECT_EQ(g.Players(rat).Gold, 0);
}

// Gold that would pass the top of its field is an error, never a wrap; the heap stays.
TEST_F(ItemActions, goldOverflowShowsErrorBox) {
    const int32_t u = addUser(t, 10, 10, 6);
    user().Gold = std::numeric_limits<int32_t>::max() - 3;
    const int32_t gold = modItem_Add(g, ItemId::SmallGold, 11, 10);
    t.io.random.queue(0.0f);
    modPlayer_Move(g, u, 6, true);
    EXPECT_EQ(user().Gold, std::numeric_limits<int32_t>::max() - 3);
    EXPECT_EQ(g.MapItem(11, 10), gold);
    EXPECT_EQ(boxTexts(t), std::vector<std::string>{"Error_modItem_Step_On : Overflow"});
}

// The stairs down load the lower level and whistle; the user keeps its cell.
TEST_F(ItemActions, stairsDownLoadLowerLevel) {
    t.write("cellar.map", crlf({"MAP=Cellar", "UPPER=hall", "XXXXX", "X..gX"}));
    g.MapLower = "cellar";
    const int32_t u = addUser(t, 10, 10, 6);
    modItem_Add(g, ItemId::StairsDown, 11, 10);
    EXPECT_TRUE(modPlayer_Move(g, u, 6, true));
    EXPECT_EQ(g.MapName, "Cellar");
    EXPECT_EQ(g.MapUpper, "hall");
    EXPECT_EQ(g.CurrentPlayer, u);
    EXPECT_EQ(g.MapPlayer(11, 10), u);
    EXPECT_EQ(g.MapItem(11, 10), 0);
    EXPECT_NE(g.MapItem(3, 1), 0);
    EXPECT_EQ(sounds(), (std::vector<int>{3, 11}));
    EXPECT_EQ(user().NextMoveTime, 50.1f);
}

// The stairs up name the upper level.
TEST_F(ItemActions, stairsUpLoadUpperLevel) {
    t.write("tower.map", crlf({"MAP=Tower"}));
    g.MapUpper = "tower";
    const int32_t u = addUser(t, 10, 10, 6);
    modItem_Add(g, ItemId::StairsUp, 11, 10);
    modPlayer_Move(g, u, 6, true);
    EXPECT_EQ(g.MapName, "Tower");
    EXPECT_EQ(sounds(), (std::vector<int>{3, 10}));
}

// A missing level file leaves the present level as it was; the whistle still plays.
TEST_F(ItemActions, stairsToMissingLevelKeepThePresentOne) {
    g.MapName = "Test";
    g.MapLower = "gone";
    const int32_t u = addUser(t, 10, 10, 6);
    const int32_t stairs = modItem_Add(g, ItemId::StairsDown, 11, 10);
    modPlayer_Move(g, u, 6, true);
    EXPECT_EQ(g.MapName, "Test");
    EXPECT_EQ(g.MapItem(11, 10), stairs);
    EXPECT_EQ(g.MapPlayer(11, 10), u);
    const auto boxes = boxTexts(t);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Error_modMap_Load : ", 0), 0u);
    EXPECT_NE(boxes[0].find("/gone.map"), std::string::npos);
    EXPECT_EQ(sounds(), (std::vector<int>{3, 11}));
}

// Stairs naming no level (a game saved without its level header) say so in a line, not a box.
TEST_F(ItemActions, stairsToNoLevelSayTheyLeadNowhere) {
    g.MapName = "Test";
    const int32_t u = addUser(t, 10, 10, 6);
    modItem_Add(g, ItemId::StairsUp, 11, 10);
    modPlayer_Move(g, u, 6, true);
    EXPECT_EQ(g.MapName, "Test");
    EXPECT_EQ(g.MapPlayer(11, 10), u);
    EXPECT_TRUE(boxTexts(t).empty());
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"These stairs lead nowhere."});
    EXPECT_EQ(sounds(), std::vector<int>{3});
}

// The open command toggles a door in front; nothing else in front reacts.
TEST_F(ItemActions, openTogglesDoorInFront) {
    const int32_t u = addUser(t, 0, 10, 6);
    const int32_t door = modItem_Add(g, ItemId::DoorOpenNS, 1, 10);
    modItem_Open(g, u);
    EXPECT_EQ(g.Items(door).ID, ItemId::DoorClosedNS);
    user().Facing = 4; // off the map
    modItem_Open(g, u);
    user().Facing = 8; // empty
    modItem_Open(g, u);
    EXPECT_EQ(sounds(), std::vector<int>{5});
    EXPECT_TRUE(boxTexts(t).empty());
}

// The open command has its own error text, with a hyphen.
TEST_F(ItemActions, openFailureUsesItsOwnErrorText) {
    modItem_Open(g, 99);
    EXPECT_EQ(boxTexts(t), std::vector<std::string>{"Error-modItem_Open : Subscript out of range"});
}

} // namespace
} // namespace gf::test
