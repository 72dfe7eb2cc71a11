#include "creatures/creature_table.h"
#include "creatures/movement.h"
#include "items/item_actions.h"
#include "items/item_table.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <set>

namespace gf::test {
namespace {

class Movement : public FightLevel {
protected:
    bool step(int32_t who, int16_t direction, bool forward = true) {
        return modPlayer_Move(g, who, direction, forward);
    }
};

// The user steps at most ten times a second; monsters are paced by their own timer and step silently.
TEST_F(Movement, userStepsAtMostOncePerTenthOfASecond) {
    const int32_t u = addUser(t, 10, 10);
    const int32_t rat = modPlayer_Add(g, 1, 10, 20);
    for (const auto& [now, moves] : {std::pair{50.0f, true}, {50.05f, false}, {50.1f, true}}) {
        t.io.clock.time = now;
        EXPECT_EQ(step(u, 6), moves) << now;
    }
    EXPECT_EQ(std::tuple(user().X, g.MapPlayer(11, 10), g.MapPlayer(12, 10)), std::tuple(12, 0, u));
    EXPECT_TRUE(step(rat, 2) && step(rat, 2));
    EXPECT_EQ(std::pair(g.Players(rat).Y, g.Players(rat).NextMoveTime), std::pair(22, 0.0f));
    EXPECT_EQ(sounds(), (std::vector<int>{3, 3}));
}

// Only a forward step turns, and only the user's forward step into a monster attacks it.
TEST_F(Movement, onlyTheUsersForwardStepTurnsAndAttacks) {
    const int32_t u = addUser(t, 10, 10, 8);
    const int32_t rat = modPlayer_Add(g, 1, 11, 11);
    modPlayer_Add(g, 2, 11, 12);
    EXPECT_TRUE(step(u, 2, false));
    t.io.clock.time = 51;
    EXPECT_FALSE(step(u, 6, false) || step(rat, 4) || step(rat, 2));
    EXPECT_EQ(std::tuple(user().Facing, user().CombatPenalty, g.Players(rat).CombatPenalty,
                         g.Players(rat).NextAttackTime),
              std::tuple(8, 0, 0, 0.0f));
    EXPECT_FALSE(step(u, 6));
    EXPECT_EQ(std::tuple(g.Players(rat).CombatPenalty, user().X, user().NextAttackTime),
              std::tuple(5, 10, 52.0f));
    t.io.clock.time = 52;
    EXPECT_TRUE(step(u, 1));
    EXPECT_EQ(user().Facing, 1);
}

// Walking into a closed door or opening it flips it with its sound; an open door is walked through.
TEST_F(Movement, doorsFlipWhenWalkedIntoOrOpened) {
    // 'w' the user walks forward, 'b' steps back, 'm' a monster walks forward, 'o' the open command;
    // the item in front before and after; the sounds
    const std::tuple<char, int16_t, int16_t, std::vector<int>> cases[] = {
        {'w', 17, 18, {4}}, {'b', 17, 17, {}},  {'m', 19, 20, {4}}, {'w', 20, 20, {3}}, {'o', 19, 20, {4}},
        {'o', 18, 17, {5}}, {'o', 20, 19, {5}}, {'w', 1, 1, {}},    {'o', 1, 1, {}},    {'o', 26, 26, {}}};
    for (const auto& [how, before, after, sound] : cases) {
        TestGame f;
        prepareFightLevel(f);
        Game& fg = f.game;
        const int32_t who = how == 'm' ? modPlayer_Add(fg, 1, 10, 10) : addUser(f, 10, 10, 6);
        const int32_t item = modItem_Add(fg, before, 11, 10);
        const bool moved =
            how == 'o' ? (modItem_Open(fg, who), false) : modPlayer_Move(fg, who, 6, how != 'b');
        const int32_t x = sound == std::vector<int>{3} ? 11 : 10;
        EXPECT_EQ(
            std::tuple(fg.Items(item).ID, fg.MapItem(11, 10), fg.Players(who).X, moved, f.io.sound.played),
            std::tuple(after, item, x, x == 11, sound))
            << how << " " << before;
    }
}

// Turns go an eighth at a time and cancel out; any other turn, or a facing off the compass, does nothing.
TEST_F(Movement, turnsStepAroundTheCompass) {
    const int32_t u = addUser(t, 10, 10, 8);
    modPlayer_Change_Facing(g, u, kFacingTurnLeft);
    EXPECT_EQ(user().Facing, 7);
    std::set<int16_t> seen;
    for (int i = 0; i < 8; ++i) {
        const int16_t before = user().Facing;
        modPlayer_Change_Facing(g, u, kFacingTurnRight);
        modPlayer_Change_Facing(g, u, kFacingTurnLeft);
        EXPECT_EQ(user().Facing, before);
        modPlayer_Change_Facing(g, u, kFacingTurnLeft);
        seen.insert(user().Facing);
    }
    EXPECT_EQ(seen, (std::set<int16_t>{1, 2, 3, 4, 6, 7, 8, 9}));
    for (const auto& [facing, turn] : {std::pair{6, 3}, {6, 0}, {0, 1}, {5, 1}, {10, 2}}) {
        user().Facing = static_cast<int16_t>(facing);
        modPlayer_Change_Facing(g, u, static_cast<int16_t>(turn));
        EXPECT_EQ(user().Facing, facing);
    }
}

// Steps, attacks and opening reach only the cell in front, never off the map nor the creature's own.
TEST_F(Movement, actionsReachOnlyTheCellInFront) {
    const int32_t u = addUser(t, 0, 10);
    modItem_Add(g, FightItem::Dagger, 1, 10);
    draw(g, 0, 9, {"D"});
    const int32_t rat = modPlayer_Add(g, 1, 0, 11);
    for (const int16_t facing : {4, 6, 7, 5, 0}) { // off the map, an item only, a door aside, nowhere
        user().Facing = facing;
        modPlayer_Attack_Direction(g, u);
        modItem_Open(g, u);
        EXPECT_FALSE(modPlayer_Move(g, u, facing == 6 ? 1 : facing, true)) << facing;
    }
    EXPECT_EQ(std::tuple(user().X, user().Y, g.MapPlayer(0, 10), user().NextAttackTime, user().CombatPenalty,
                         idAt(g, 0, 9), sounds().size()),
              std::tuple(0, 10, u, 0.0f, 0, ItemId::DoorClosedEW, 0u));
    user().Facing = 2;
    modPlayer_Attack_Direction(g, u);
    EXPECT_EQ(std::tuple(g.Players(rat).CombatPenalty, user().X, user().Facing), std::tuple(5, 0, 2));
    modItem_Open(g, 99);
    EXPECT_EQ(boxTexts(t), std::vector<std::string>{"Error-modItem_Open : Subscript out of range"});
}

} // namespace
} // namespace gf::test
