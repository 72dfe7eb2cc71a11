#include "creatures/creature_table.h"
#include "creatures/movement.h"
#include "fight_support.h"
#include "items/item_table.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

class Movement : public FightLevel {};

// Ten steps a second is the user's top speed; a second key press inside the pause is ignored.
TEST_F(Movement, userStepsAtMostOncePerTenthOfASecond) {
    addUser(t, 10, 10);
    EXPECT_TRUE(modPlayer_Move(g, g.CurrentPlayer, 6, true));
    t.io.clock.time = 50.05f;
    EXPECT_FALSE(modPlayer_Move(g, g.CurrentPlayer, 6, true));
    EXPECT_EQ(user().X, 11);
    t.io.clock.time = 50.2f;
    EXPECT_TRUE(modPlayer_Move(g, g.CurrentPlayer, 6, true));
    EXPECT_EQ(user().X, 12);
    EXPECT_EQ(g.MapPlayer(11, 10), 0);
    EXPECT_EQ(g.MapPlayer(12, 10), g.CurrentPlayer);
    EXPECT_EQ(sounds(), (std::vector<int>{3, 3}));
}

// Monsters are paced by their timer alone and step silently.
TEST_F(Movement, monsterStepsHaveNoPauseAndNoSound) {
    const int32_t rat = modPlayer_Add(g, 1, 10, 10);
    EXPECT_TRUE(modPlayer_Move(g, rat, 2, true));
    EXPECT_TRUE(modPlayer_Move(g, rat, 2, true));
    EXPECT_EQ(g.Players(rat).Y, 12);
    EXPECT_EQ(g.Players(rat).NextMoveTime, 0.0f);
    EXPECT_TRUE(sounds().empty());
}

// Only a forward step turns the creature; back and side steps keep the facing.
TEST_F(Movement, onlyForwardStepsTurnTheCreature) {
    addUser(t, 10, 10, 8);
    EXPECT_TRUE(modPlayer_Move(g, g.CurrentPlayer, 2, false));
    EXPECT_EQ(user().Facing, 8);
    t.io.clock.time = 51;
    EXPECT_TRUE(modPlayer_Move(g, g.CurrentPlayer, 6, true));
    EXPECT_EQ(user().Facing, 6);
}

// The grid ends at 0 and 100; a step beyond, or a direction that is no step, goes nowhere.
TEST_F(Movement, stepsOffTheGridOrWithoutDirectionAreRefused) {
    struct Case {
        int32_t x, y;
        int16_t direction;
    };
    for (const Case c : {Case{0, 5, 4}, Case{5, 0, 9}, Case{100, 100, 3}, Case{50, 50, 5}, Case{50, 50, 0}}) {
        const int32_t rat = modPlayer_Add(g, 1, c.x, c.y);
        EXPECT_FALSE(modPlayer_Move(g, rat, c.direction, true))
            << c.x << "," << c.y << " dir " << c.direction;
        EXPECT_EQ(g.Players(rat).X, c.x);
        EXPECT_EQ(g.Players(rat).Y, c.y);
        EXPECT_EQ(g.MapPlayer(c.x, c.y), rat);
        EXPECT_EQ(g.Players(rat).CombatPenalty, 0); // never an attack on itself
        modPlayer_Remove(g, rat);
    }
}

// Walking forward into a monster is the user's attack; a back or side step into it is not.
TEST_F(Movement, forwardStepIntoMonsterAttacksOtherStepsDoNot) {
    addUser(t, 10, 10);
    const int32_t rat = modPlayer_Add(g, 1, 11, 10);
    EXPECT_FALSE(modPlayer_Move(g, g.CurrentPlayer, 6, false));
    EXPECT_EQ(g.Players(rat).CombatPenalty, 0);
    EXPECT_FALSE(modPlayer_Move(g, g.CurrentPlayer, 6, true));
    EXPECT_EQ(g.Players(rat).CombatPenalty, 5);
    EXPECT_EQ(user().X, 10);
    EXPECT_EQ(user().NextAttackTime, 51.0f);
}

// A monster never attacks by walking; it simply stays put.
TEST_F(Movement, monsterWalkingIntoCreatureNeitherMovesNorAttacks) {
    addUser(t, 11, 10);
    const int32_t rat = modPlayer_Add(g, 1, 10, 10);
    const int32_t goblin = modPlayer_Add(g, 2, 10, 11);
    EXPECT_FALSE(modPlayer_Move(g, rat, 6, true));
    EXPECT_FALSE(modPlayer_Move(g, rat, 2, true));
    EXPECT_EQ(g.MapPlayer(10, 10), rat);
    EXPECT_EQ(user().CombatPenalty, 0);
    EXPECT_EQ(g.Players(goblin).CombatPenalty, 0);
    EXPECT_EQ(g.Players(rat).NextAttackTime, 0.0f);
}

// A closed door opens when walked into forward and needs a second step to pass.
TEST_F(Movement, doorOpensWhenWalkedIntoForward) {
    addUser(t, 10, 10);
    const int32_t door = modItem_Add(g, ItemId::DoorClosedEW, 11, 10);
    EXPECT_FALSE(modPlayer_Move(g, g.CurrentPlayer, 6, false));
    EXPECT_EQ(g.Items(door).ID, ItemId::DoorClosedEW);
    EXPECT_FALSE(modPlayer_Move(g, g.CurrentPlayer, 6, true));
    EXPECT_EQ(g.Items(door).ID, ItemId::DoorOpenEW);
    EXPECT_EQ(user().X, 10);
    EXPECT_EQ(sounds(), std::vector<int>{4});
    EXPECT_TRUE(modPlayer_Move(g, g.CurrentPlayer, 6, true));
    EXPECT_EQ(user().X, 11);
    EXPECT_EQ(g.MapItem(11, 10), door);
}

// Monsters walk forward, so they open doors in their way too.
TEST_F(Movement, monsterOpensDoorItWalksInto) {
    const int32_t rat = modPlayer_Add(g, 1, 10, 10);
    const int32_t door = modItem_Add(g, ItemId::DoorClosedNS, 10, 11);
    EXPECT_FALSE(modPlayer_Move(g, rat, 2, true));
    EXPECT_EQ(g.Items(door).ID, ItemId::DoorOpenNS);
    EXPECT_EQ(sounds(), std::vector<int>{4});
}

// Doors flip between their closed and open forms with their sounds; other items stay as they are.
TEST_F(Movement, autoActionTogglesDoorPairs) {
    struct Case {
        int16_t before, after;
        std::vector<int> sound;
    };
    const Case cases[] = {{17, 18, {4}}, {18, 17, {5}}, {19, 20, {4}},
                          {20, 19, {5}}, {1, 1, {}},    {26, 26, {}}};
    for (const Case& c : cases) {
        const int32_t item = modItem_Add(g, c.before, 30, 30);
        sounds().clear();
        modPlayer_Auto_Action(g, 0, item);
        EXPECT_EQ(g.Items(item).ID, c.after) << c.before;
        EXPECT_EQ(sounds(), c.sound) << c.before;
        EXPECT_EQ(g.MapItem(30, 30), item);
        modItem_Delete(g, item);
    }
}

// Turn 1 goes counter-clockwise and turn 2 clockwise, one eighth at a time.
TEST_F(Movement, changeFacingFollowsTheTurningTable) {
    const int32_t u = addUser(t, 10, 10, 8);
    const int16_t counter[] = {8, 7, 4, 1, 2, 3, 6, 9, 8};
    for (int i = 0; i < 8; ++i) {
        modPlayer_Change_Facing(g, u, 1);
        EXPECT_EQ(user().Facing, counter[i + 1]) << "from " << counter[i];
    }
    for (int i = 8; i > 0; --i) {
        modPlayer_Change_Facing(g, u, 2);
        EXPECT_EQ(user().Facing, counter[i - 1]) << "from " << counter[i];
    }
}

// Any other turn, or a facing that is no direction, changes nothing.
TEST_F(Movement, changeFacingIgnoresUnknownTurnsAndFacings) {
    const int32_t u = addUser(t, 10, 10, 6);
    modPlayer_Change_Facing(g, u, 3);
    modPlayer_Change_Facing(g, u, 0);
    EXPECT_EQ(user().Facing, 6);
    for (int16_t facing : {0, 5, 10}) {
        user().Facing = facing;
        modPlayer_Change_Facing(g, u, 1);
        EXPECT_EQ(user().Facing, facing);
    }
}

// Attacking in a direction strikes only a creature that stands in front.
TEST_F(Movement, attackDirectionStrikesOnlyACreatureInFront) {
    const int32_t u = addUser(t, 0, 10, 4); // facing off the map
    modItem_Add(g, FightItem::Dagger, 1, 10);
    const int32_t rat = modPlayer_Add(g, 1, 0, 11);
    modPlayer_Attack_Direction(g, u);
    user().Facing = 6; // an item only
    modPlayer_Attack_Direction(g, u);
    user().Facing = 8; // empty floor
    modPlayer_Attack_Direction(g, u);
    user().Facing = 5; // nowhere
    modPlayer_Attack_Direction(g, u);
    EXPECT_EQ(user().NextAttackTime, 0.0f);
    EXPECT_EQ(user().CombatPenalty, 0);
    user().Facing = 2;
    modPlayer_Attack_Direction(g, u);
    EXPECT_EQ(g.Players(rat).CombatPenalty, 5);
    EXPECT_EQ(user().X, 0);
    EXPECT_EQ(user().Facing, 2);
}

} // namespace
} // namespace gf::test
