// The user's steps and turns and what it does with items.
#include "creatures/combat.h"
#include "creatures/creature_table.h"
#include "creatures/movement.h"
#include "creatures/skills.h"
#include "items/equipment.h"
#include "items/item_actions.h"
#include "items/item_table.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace gf::test {
namespace {

class Movement : public FightLevel {
protected:
    bool step(int32_t who, int16_t direction, bool forward = true) {
        return moveCreature(g, who, direction, forward);
    }
};

// The user steps at most ten times a second; monsters are paced by their own timer and step silently.
TEST_F(Movement, userStepsAtMostOncePerTenthOfASecond) {
    const int32_t u = addUser(t, 10, 10);
    const int32_t rat = addCreature(g, 1, 10, 20);
    for (const auto& [now, moves] : {std::pair{50.0f, true}, {50.05f, false}, {50.1f, true}}) {
        t.io.clock.time = now;
        EXPECT_EQ(step(u, 6), moves) << now;
    }
    EXPECT_EQ(std::tuple(user().x, g.level.creatureAt(11, 10), g.level.creatureAt(12, 10)),
              std::tuple(12, 0, u));
    EXPECT_TRUE(step(rat, 2) && step(rat, 2));
    EXPECT_EQ(std::pair(g.creatures(rat).y, g.creatures(rat).nextMoveTime), std::pair(22, 0.0f));
    EXPECT_EQ(sounds(), (std::vector<int>{3, 3}));
}

// Only a forward step turns, and only the user's forward step into a monster attacks it.
TEST_F(Movement, onlyTheUsersForwardStepTurnsAndAttacks) {
    const int32_t u = addUser(t, 10, 10, 8);
    const int32_t rat = addCreature(g, 1, 11, 11);
    addCreature(g, 2, 11, 12);
    EXPECT_TRUE(step(u, 2, false));
    t.io.clock.time = 51;
    EXPECT_FALSE(step(u, 6, false) || step(rat, 4) || step(rat, 2));
    EXPECT_EQ(std::tuple(user().facing, user().combatPenalty, g.creatures(rat).combatPenalty,
                         g.creatures(rat).nextAttackTime),
              std::tuple(8, 0, 0, 0.0f));
    EXPECT_FALSE(step(u, 6));
    EXPECT_EQ(std::tuple(g.creatures(rat).combatPenalty, user().x, user().nextAttackTime),
              std::tuple(5, 10, 52.0f));
    t.io.clock.time = 52;
    EXPECT_TRUE(step(u, 1));
    EXPECT_EQ(user().facing, 1);
}

// Walking into a closed door or opening it flips it with its sound; an open door is walked through.
TEST_F(Movement, doorsFlipWhenWalkedIntoOrOpened) {
    // 'w' the user walks forward, 'b' steps back, 'm' a monster walks forward, 'o' the open command;
    // the item in front before and after; the sounds
    const std::tuple<char, int16_t, int16_t, std::vector<int>> cases[] = {
        {'w', 17, 18, {4}}, {'b', 17, 17, {}},  {'m', 19, 20, {4}}, {'w', 20, 20, {3}}, {'o', 19, 20, {4}},
        {'o', 18, 17, {5}}, {'o', 20, 19, {5}}, {'w', 1, 1, {}},    {'o', 1, 1, {}},    {'o', 26, 26, {}}};
    for (const auto& [how, before, after, sound] : cases) {
        FightGame f;
        const int32_t who = how == 'm' ? addCreature(f.g, 1, 10, 10) : addUser(f.t, 10, 10, 6);
        const int32_t item = addItem(f.g, before, 11, 10);
        const bool moved = how == 'o' ? (openAhead(f.g, who), false) : moveCreature(f.g, who, 6, how != 'b');
        const int32_t x = sound == std::vector<int>{3} ? 11 : 10;
        EXPECT_EQ(
            std::tuple(f.g.items(item).id, f.g.level.itemAt(11, 10), f.g.creatures(who).x, moved, f.sounds()),
            std::tuple(after, item, x, x == 11, sound))
            << how << " " << before;
    }
}

// Turns go an eighth at a time and cancel out; any other turn, or a facing off the compass, does nothing.
TEST_F(Movement, turnsStepAroundTheCompass) {
    const int32_t u = addUser(t, 10, 10, 8);
    turnCreature(g, u, kFacingTurnLeft);
    EXPECT_EQ(user().facing, 7);
    std::set<int16_t> seen;
    for (int i = 0; i < 8; ++i) {
        const int16_t before = user().facing;
        turnCreature(g, u, kFacingTurnRight);
        turnCreature(g, u, kFacingTurnLeft);
        EXPECT_EQ(user().facing, before);
        turnCreature(g, u, kFacingTurnLeft);
        seen.insert(user().facing);
    }
    EXPECT_EQ(seen, (std::set<int16_t>{1, 2, 3, 4, 6, 7, 8, 9}));
    for (const auto& [facing, turn] : {std::pair{6, 3}, {6, 0}, {0, 1}, {5, 1}, {10, 2}}) {
        user().facing = static_cast<int16_t>(facing);
        turnCreature(g, u, static_cast<int16_t>(turn));
        EXPECT_EQ(user().facing, facing);
    }
}

// Steps, attacks and opening reach only the cell in front, never off the map nor the creature's own.
TEST_F(Movement, actionsReachOnlyTheCellInFront) {
    const int32_t u = addUser(t, 0, 10);
    addItem(g, FightItem::Dagger, 1, 10);
    draw(g, 0, 9, {"D"});
    const int32_t rat = addCreature(g, 1, 0, 11);
    for (const int16_t facing : {4, 6, 7, 5, 0}) { // off the map, an item only, a door aside, nowhere
        user().facing = facing;
        attackAhead(g, u);
        openAhead(g, u);
        EXPECT_FALSE(moveCreature(g, u, facing == 6 ? 1 : facing, true)) << facing;
    }
    EXPECT_EQ(std::tuple(user().x, user().y, g.level.creatureAt(0, 10), user().nextAttackTime,
                         user().combatPenalty, idAt(g, 0, 9), sounds().size()),
              std::tuple(0, 10, u, 0.0f, 0, ItemId::DoorClosedEW, 0u));
    user().facing = 2;
    attackAhead(g, u);
    EXPECT_EQ(std::tuple(g.creatures(rat).combatPenalty, user().x, user().facing), std::tuple(5, 0, 2));
    openAhead(g, 99);
    EXPECT_EQ(boxTexts(t), Texts{"Error-modItem_Open : Subscript out of range"});
}

class ItemActions : public FightLevel {};

// What the user's creature gains or loses must be saved, so closing asks first; a monster's changes need not.
TEST_F(ItemActions, theUsersChangesMarkTheGameUnsaved) {
    const int32_t u = addUser(t, 10, 10, 6), rat = addCreature(g, 1, 20, 20);
    for (const auto act :
         {+[](Game&g, int32_t c) { ready(g, c, 1); }, +[](Game&g, int32_t c) { dropItem(g, c, 1); },
          +[](Game&g, int32_t c) { raiseSkill(g, c, kMeleeSkill); },
          +[](Game&g, int32_t c) { reduceLife(g, c, 1); }})
        for (const int32_t who : {rat, u}) {
            give(t, who, 1, FightItem::Dagger);
            std::tie(g.creatures(who).spendableXp, g.session.unsavedChanges) = std::tuple(1000000, false);
            act(g, who);
            EXPECT_EQ(g.session.unsavedChanges, who == u) << "creature " << who;
        }
}

// A pick-up takes the front, then underfoot, into the lowest free slot; fixed items stay; twenty is full.
TEST_F(ItemActions, pickupTakesFrontThenUnderfootIntoLowestFreeSlot) {
    const int32_t u = addUser(t, 10, 10, 6, 15, "  Ana  ");
    give(t, u, 1, FightItem::Stick);
    give(t, u, 3, FightItem::Stick);
    draw(g, 10, 10, {"XX", "g"});
    g.items(g.level.itemAt(10, 10)).id = FightItem::Dagger;
    for (const int16_t facing : {6, 2, 8}) {
        user().facing = facing;
        pickUp(g, u);
    }
    EXPECT_EQ(user().carry(2), (Item{true, FightItem::Dagger, 10, 10, 0}));
    EXPECT_EQ(std::tuple(idAt(g, 10, 10), idAt(g, 11, 10), idAt(g, 10, 11)),
              std::tuple(0, ItemId::StoneWall, ItemId::SmallGold));

    for (int slot = 1; slot <= kCarrySlots; ++slot)
        give(t, u, slot, FightItem::Stick);
    addItem(g, FightItem::Pebble, 10, 9);
    pickUp(g, u);
    EXPECT_EQ(idAt(g, 10, 9), FightItem::Pebble);
    EXPECT_EQ(shownMessages(g), Texts{"Ana's inventory is full!"});
    EXPECT_EQ(g.messages.line(20).color, static_cast<int32_t>(kYellow));
    EXPECT_EQ(sounds(), std::vector<int>{13});
}

// A drop lands in front, else underfoot, else stays carried, putting away what was readied.
TEST_F(ItemActions, dropsStayWithinReach) {
    const int32_t u = addUser(t, 50, 50, 6);
    user().carry(1) = Item{true, FightItem::Dagger, 7, 7, 9};
    give(t, u, 2, FightItem::SoftLeather);
    give(t, u, 3, FightItem::Pebble);
    give(t, u, 4, FightItem::Stick);
    std::tie(user().weaponSlot, user().armourSlot) = std::tuple(1, 2);
    // slot dropped, facing; weapon and armour slots after
    for (const auto& [slot, facing, weapon, armour] :
         {std::tuple{5, 6, 1, 2}, {3, 6, 1, 2}, {1, 6, 0, 2}, {4, 6, 0, 2}, {2, 8, 0, 0}}) {
        user().facing = static_cast<int16_t>(facing);
        dropItem(g, u, slot);
        EXPECT_EQ(std::pair(user().weaponSlot, user().armourSlot), std::pair(weapon, armour)) << slot;
    }
    EXPECT_EQ(g.items(g.level.itemAt(50, 50)), (Item{true, FightItem::Dagger, 50, 50, 9}));
    EXPECT_EQ(std::tuple(idAt(g, 51, 50), idAt(g, 50, 49), user().carry(4).inUse),
              std::tuple(FightItem::Pebble, FightItem::SoftLeather, true));
    EXPECT_EQ(shownMessages(g), Texts{"No room to drop item."});

    const int32_t rat = addCreature(g, 1, 0, 0);
    g.creatures(rat).facing = 7; // off the map
    give(t, rat, 1, FightItem::Pebble);
    dropItem(g, rat, 1);
    EXPECT_EQ(idAt(g, 0, 0), FightItem::Pebble);
}

// Stepping on gold takes 5-10 or 10-20, halves to even; only the user takes it, and it never wraps.
TEST_F(ItemActions, userStepsOntoGoldAndTakesIt) {
    const int32_t u = addUser(t, 10, 10, 6);
    int32_t gold = 0;
    constexpr int16_t small = ItemId::SmallGold, large = ItemId::LargeGold;
    const std::tuple<int16_t, float, int32_t> heaps[] = {
        {small, 0.0f, 5}, {small, 0.5f, 8}, {small, 0.9375f, 10}, {large, 0.25f, 12}, {large, 0.99f, 20}};
    for (const auto& [heap, r, amount] : heaps) {
        t.io.clock.time += 1;
        addItem(g, heap, user().x + 1, 10);
        draws({r});
        EXPECT_TRUE(moveCreature(g, u, 6, true));
        EXPECT_EQ(std::pair(user().gold, g.level.itemAt(user().x, 10)), std::pair(gold += amount, 0)) << r;
        EXPECT_EQ(
            std::pair(g.messages.line(20).text, g.messages.line(20).color),
            std::pair("You pick up " + std::to_string(amount) + " gold!", static_cast<int32_t>(kLightBlue)));
    }
    EXPECT_EQ(sounds(), (std::vector<int>{3, 8, 3, 8, 3, 8, 3, 8, 3, 8}));

    const int32_t rat = addCreature(g, 1, 30, 10);
    draw(g, 31, 10, {"g"});
    EXPECT_TRUE(moveCreature(g, rat, 6, true));
    user().gold = std::numeric_limits<int32_t>::max() - 3;
    draws({0.0f});
    t.io.clock.time += 1;
    addItem(g, ItemId::SmallGold, user().x + 1, 10);
    moveCreature(g, u, 6, true);
    EXPECT_EQ(std::tuple(user().gold, g.creatures(rat).gold, idAt(g, 31, 10), idAt(g, user().x, 10)),
              std::tuple(std::numeric_limits<int32_t>::max() - 3, 0, ItemId::SmallGold, ItemId::SmallGold));
    EXPECT_EQ(boxTexts(t), Texts{"Error_modItem_Step_On : Overflow"});
}

// Stairs load their level; a missing file keeps the present one; nameless stairs say so in a line.
TEST_F(ItemActions, stairsLoadTheLevelTheyName) {
    t.write("cellar.map", crlf({"MAP=Cellar", "UPPER=hall", "XXXXX", "X..gX"}));
    t.write("hall.map", crlf({"MAP=Hall"}));
    std::tie(g.level.name, g.level.lower) = std::tuple("Test", "gone");
    const int32_t u = addUser(t, 10, 10, 6);
    addItem(g, ItemId::StairsUp, 11, 10);
    addItem(g, ItemId::StairsDown, 12, 10);
    EXPECT_TRUE(moveCreature(g, u, 6, true));
    EXPECT_EQ(shownMessages(g), Texts{"These stairs lead nowhere."});
    t.io.clock.time = 51;
    EXPECT_TRUE(moveCreature(g, u, 6, true));
    EXPECT_EQ(std::tuple(g.level.name, idAt(g, 12, 10), g.level.creatureAt(12, 10)),
              std::tuple("Test", ItemId::StairsDown, u));
    ASSERT_EQ(boxTexts(t).size(), 1u);
    const std::string box = boxTexts(t)[0];
    EXPECT_TRUE(box.starts_with("Error_modMap_Load : ") && box.ends_with("/gone.map")) << box;

    g.level.lower = "cellar";
    addItem(g, ItemId::StairsDown, 13, 10);
    t.io.clock.time = 52;
    EXPECT_TRUE(moveCreature(g, u, 6, true));
    EXPECT_EQ(std::tuple(g.level.name, g.creatures.current, g.level.creatureAt(13, 10), idAt(g, 13, 10),
                         idAt(g, 3, 1)),
              std::tuple("Cellar", u, u, 0, ItemId::SmallGold));
    EXPECT_EQ(user().nextMoveTime, 52.1f);
    addItem(g, ItemId::StairsUp, 14, 10);
    t.io.clock.time = 53;
    EXPECT_TRUE(moveCreature(g, u, 6, true));
    EXPECT_EQ(std::pair(g.level.name, sounds()),
              (std::pair<std::string, std::vector<int>>("Hall", {3, 3, 11, 3, 11, 3, 10})));
}

} // namespace
} // namespace gf::test
