#include "creatures/creature_table.h"
#include "creatures/monster_behaviour.h"
#include "items/item_table.h"
#include "test_game.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

class Monsters : public FightLevel {};

// A rat hunts the user it sees, strikes when next to it, else goes home; a blocked step retries once.
TEST_F(Monsters, huntsWhatItSeesStrikesWhenAdjacentElseGoesHome) {
    // user's cell; a wall at 15,10; a goblin in the way at 13,10, and the draw; rat's end and facing; penalty
    const std::tuple<int32_t, int32_t, bool, bool, float, int32_t, int32_t, int16_t, int32_t> cases[] = {
        {17, 10, false, false, 0, 13, 10, 6, 0},   {18, 10, false, false, 0, 11, 10, 4, 0},
        {17, 10, true, false, 0, 11, 10, 4, 0},    {13, 11, false, false, 0, 12, 10, 3, 5},
        {12, 11, false, false, 0, 12, 10, 2, 5},   {11, 9, false, false, 0, 12, 10, 7, 5},
        {15, 10, false, true, 0.7f, 13, 11, 3, 0}, {15, 10, false, true, 0.3f, 13, 9, 9, 0}};
    for (const auto& [userX, userY, wall, blocker, r, ratX, ratY, facing, penalty] : cases) {
        TestGame f;
        prepareFightLevel(f);
        Game& fg = f.game;
        const int32_t u = addUser(f, userX, userY);
        const int32_t rat = modPlayer_Add(fg, 1, 12, 10);
        fg.Players(rat).HomeX = 10;
        if (wall) modItem_Add(fg, ItemId::StoneWall, 15, 10);
        if (blocker) fg.Players(modPlayer_Add(fg, 2, 13, 10)).SightRange = 0; // stays at home, in the way
        if (blocker) f.io.random.queue(r);
        modMonster_Process(fg);
        const Player& m = fg.Players(rat);
        EXPECT_EQ(std::tuple(m.X, m.Y, m.Facing, fg.MapPlayer(m.X, m.Y), fg.Players(u).CombatPenalty),
                  std::tuple(ratX, ratY, facing, rat, penalty))
            << "user at " << userX << "," << userY << (wall ? " behind a wall" : "") << " draw " << r;
    }
}

// Ticks visit the table upward and downward in turn, so neither end always moves first.
TEST_F(Monsters, visitingOrderAlternates) {
    draw(g, 11, 9, {"X", "", "X"});
    for (const int32_t winner : {1, 2, 1}) {
        for (const int32_t x : {10, 12}) // both head home to 11,10
            g.Players(modPlayer_Add(g, 1, x, 10)).HomeX = 11;
        modMonster_Process(g);
        EXPECT_EQ(g.MapPlayer(11, 10), winner);
        modPlayer_Remove(g, 1);
        modPlayer_Remove(g, 2);
    }
}

// Once one monster has killed the user's creature, the rest of the tick sends monsters home.
TEST_F(Monsters, userKilledMidTickLeavesOthersAlone) {
    const int32_t u = addUser(t, 10, 10);
    g.Players(u).Life = 1;
    const int32_t first = modPlayer_Add(g, 1, 9, 10);
    const int32_t second = modPlayer_Add(g, 1, 11, 10);
    draws({0.99f, 0.0f, 0.0f, 0.0f});
    modMonster_Process(g);
    EXPECT_EQ(
        std::tuple(g.CurrentPlayer, g.Players(first).NextAttackTime > 0, g.Players(second).NextAttackTime),
        std::tuple(0, true, 0.0f));
    modMonster_Process(g);
    EXPECT_TRUE(boxTexts(t).empty());
}

} // namespace
} // namespace gf::test
