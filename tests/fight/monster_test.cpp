#include "creatures/creature_table.h"
#include "creatures/monster_behaviour.h"
#include "fight_support.h"
#include "items/item_table.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

class Monsters : public FightLevel {
protected:
    // A monster standing away from its home.
    int32_t monsterAt(int16_t type, int32_t x, int32_t y, int32_t homeX, int32_t homeY) {
        const int32_t m = modPlayer_Add(g, type, x, y);
        g.Players(m).HomeX = homeX;
        g.Players(m).HomeY = homeY;
        return m;
    }
    void placeAt(int32_t index, int32_t x, int32_t y) {
        Player& p = g.Players(index);
        g.MapPlayer(p.X, p.Y) = 0;
        p.X = x;
        p.Y = y;
        g.MapPlayer(x, y) = index;
    }
};

// A monster hunts what it sees within its range; out of range or behind a wall it heads home.
TEST_F(Monsters, huntsOnlyWhatItSeesWithinRange) {
    struct Case {
        int32_t userX;
        bool wall;
        int32_t ratXAfter;
    };
    for (const Case c : {Case{17, false, 13}, Case{18, false, 11}, Case{17, true, 11}}) {
        TestGame fresh;
        prepareFightLevel(fresh);
        Game& fg = fresh.game;
        addUser(fresh, c.userX, 10);
        const int32_t rat = modPlayer_Add(fg, 1, 12, 10); // sight 5
        fg.Players(rat).HomeX = 10;
        if (c.wall) modItem_Add(fg, ItemId::StoneWall, 15, 10);
        modMonster_Process(fg);
        EXPECT_EQ(fg.Players(rat).X, c.ratXAfter)
            << "user at " << c.userX << (c.wall ? " behind a wall" : "");
        EXPECT_EQ(fg.Players(rat).Facing, c.ratXAfter > 12 ? 6 : 4);
    }
}

// Next to the user's creature, straight or diagonal, a monster turns to it and strikes instead of moving.
TEST_F(Monsters, adjacentMonsterFacesAndAttacks) {
    const std::tuple<int32_t, int32_t, int16_t> cases[] = {{11, 11, 3}, {10, 11, 2}, {9, 9, 7}};
    for (const auto& [x, y, facing] : cases) {
        TestGame fresh;
        prepareFightLevel(fresh);
        const int32_t u = addUser(fresh, x, y);
        const int32_t rat = modPlayer_Add(fresh.game, 1, 10, 10);
        modMonster_Process(fresh.game);
        const Player& m = fresh.game.Players(rat);
        EXPECT_EQ(m.Facing, facing);
        EXPECT_EQ(m.X, 10);
        EXPECT_EQ(m.Y, 10);
        EXPECT_EQ(fresh.game.Players(u).CombatPenalty, 5);
    }
}

// A blocked step is tried once more toward one of its two neighbours, chosen by one draw.
TEST_F(Monsters, blockedMonsterTriesANeighbouringDirection) {
    for (const auto& [r, y] : {std::pair{0.7f, 11}, std::pair{0.3f, 9}}) {
        TestGame fresh;
        prepareFightLevel(fresh);
        addUser(fresh, 13, 10);
        const int32_t rat = modPlayer_Add(fresh.game, 1, 10, 10);
        const int32_t goblin = modPlayer_Add(fresh.game, 2, 11, 10);
        fresh.game.Players(goblin).SightRange = 0; // stays at home, in the way
        fresh.io.random.queue(r);
        modMonster_Process(fresh.game);
        EXPECT_EQ(fresh.game.Players(rat).X, 11) << r;
        EXPECT_EQ(fresh.game.Players(rat).Y, y) << r;
        EXPECT_EQ(fresh.game.MapPlayer(11, 10), goblin);
    }
}

// Without prey a monster walks home one step per tick and then stays.
TEST_F(Monsters, monstersWithoutPreyWalkHome) {
    const int32_t rat = monsterAt(1, 12, 12, 10, 10);
    const int32_t goblin = monsterAt(2, 30, 30, 30, 31);
    modMonster_Process(g);
    EXPECT_EQ(g.Players(rat).X, 11);
    EXPECT_EQ(g.Players(rat).Y, 11);
    EXPECT_EQ(g.Players(goblin).Y, 31);
    modMonster_Process(g);
    modMonster_Process(g);
    EXPECT_EQ(g.Players(rat).X, 10);
    EXPECT_EQ(g.Players(rat).Y, 10);
    EXPECT_EQ(g.Players(goblin).Y, 31);
    EXPECT_EQ(g.MapPlayer(30, 31), goblin);
}

// Ticks visit the table upward and downward in turn, so neither end always moves first.
TEST_F(Monsters, visitingOrderAlternates) {
    modItem_Add(g, ItemId::StoneWall, 11, 9);
    modItem_Add(g, ItemId::StoneWall, 11, 11);
    const int32_t first = monsterAt(1, 10, 10, 11, 10);
    const int32_t last = monsterAt(1, 12, 10, 11, 10);
    for (const int32_t winner : {first, last, first}) {
        modMonster_Process(g);
        EXPECT_EQ(g.MapPlayer(11, 10), winner);
        placeAt(first, 10, 10);
        placeAt(last, 12, 10);
    }
}

// Once one monster has killed the user's creature, the rest of the tick sends monsters home.
TEST_F(Monsters, userKilledMidTickLeavesOthersAlone) {
    const int32_t u = addUser(t, 10, 10);
    g.Players(u).Life = 1;
    const int32_t first = modPlayer_Add(g, 1, 9, 10);
    const int32_t second = modPlayer_Add(g, 1, 11, 10);
    for (float r : {0.99f, 0.0f, 0.0f, 0.0f})
        t.io.random.queue(r);
    modMonster_Process(g);
    EXPECT_EQ(g.CurrentPlayer, 0);
    EXPECT_GT(g.Players(first).NextAttackTime, 0.0f);
    EXPECT_EQ(g.Players(second).NextAttackTime, 0.0f);
    EXPECT_TRUE(boxTexts(t).empty());
    modMonster_Process(g);
    EXPECT_TRUE(boxTexts(t).empty());
}

} // namespace
} // namespace gf::test
