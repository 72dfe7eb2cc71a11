#include "creatures/monster_behaviour.h"

#include "creatures/combat.h"
#include "creatures/movement.h"
#include "map/directions.h"
#include "map/sight.h"
#include "shell/game.h"
#include "shell/guard.h"

namespace gf {

namespace {

// One step toward dir, or, when that is refused, one toward a random neighbour of it.
void stepToward(Game& g, int32_t index, int16_t dir) {
    if (!moveCreature(g, index, dir, true)) moveCreature(g, index, alternativeDirection(g, dir), true);
}

void visit(Game& g, int32_t index) {
    const Player& m = g.Players(index);
    if (!m.Active || !m.isMonster()) return;
    if (g.CurrentPlayer == 0) return sendMonsterHome(g, index);
    const Player& user = g.Players(g.CurrentPlayer);
    if (cellDistance(g, m.X, m.Y, user.X, user.Y) > m.SightRange) return sendMonsterHome(g, index);
    if (hasLineOfSight(g, m.X, m.Y, user.X, user.Y))
        monsterAttack(g, index);
    else
        sendMonsterHome(g, index);
}

} // namespace

void moveMonsters(Game& g) {
    guarded(g, "modMonster_Process", [&] {
        const int32_t upper = g.Players.ubound();
        if (++g.monsterPass == 1) {
            for (int32_t i = 1; i <= upper; ++i)
                visit(g, i);
        } else {
            g.monsterPass = 0;
            for (int32_t i = upper; i >= 1; --i)
                visit(g, i);
        }
    });
}

void monsterAttack(Game& g, int32_t index) {
    guarded(g, "modMonster_Attack", [&] {
        Player& m = g.Players(index);
        const Player& user = g.Players(g.CurrentPlayer);
        const int16_t dir = directionTo(g, m.X, m.Y, user.X, user.Y);
        if (cellDistance(g, m.X, m.Y, user.X, user.Y) == 1) {
            m.Facing = dir;
            strike(g, index, g.CurrentPlayer);
        } else {
            stepToward(g, index, dir);
        }
    });
}

void sendMonsterHome(Game& g, int32_t index) {
    guarded(g, "modMonster_Home", [&] {
        const Player& m = g.Players(index);
        if (m.X == m.HomeX && m.Y == m.HomeY) return;
        stepToward(g, index, directionTo(g, m.X, m.Y, m.HomeX, m.HomeY));
    });
}

} // namespace gf
