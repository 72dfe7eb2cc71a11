#include "creatures/monster_behaviour.h"

#include "creatures/combat.h"
#include "creatures/movement.h"
#include "map/directions.h"
#include "map/sight.h"
#include "state/game.h"
#include "state/guard.h"

namespace gf {

namespace {

// One step toward dir, or, when that is refused, one toward a random neighbour of it.
void stepToward(Game& g, int32_t index, int16_t dir) {
    if (!moveCreature(g, index, dir, true)) moveCreature(g, index, alternativeDirection(g, dir), true);
}

void visit(Game& g, int32_t index) {
    const Creature& m = g.creatures(index);
    if (!m.active || !m.isMonster()) return;
    if (g.creatures.current == 0) return sendMonsterHome(g, index);
    const Creature& user = g.creatures(g.creatures.current);
    if (cellDistance(g, m.x, m.y, user.x, user.y) > m.sightRange) return sendMonsterHome(g, index);
    if (hasLineOfSight(g, m.x, m.y, user.x, user.y))
        monsterAttack(g, index);
    else
        sendMonsterHome(g, index);
}

} // namespace

void moveMonsters(Game& g) {
    guarded(g, "modMonster_Process", [&] {
        const int32_t upper = g.creatures.size();
        if (++g.creatures.monsterPass == 1) {
            for (int32_t i = 1; i <= upper; ++i)
                visit(g, i);
        } else {
            g.creatures.monsterPass = 0;
            for (int32_t i = upper; i >= 1; --i)
                visit(g, i);
        }
    });
}

void monsterAttack(Game& g, int32_t index) {
    guarded(g, "modMonster_Attack", [&] {
        Creature& m = g.creatures(index);
        const Creature& user = g.creatures(g.creatures.current);
        const int16_t dir = directionTo(g, m.x, m.y, user.x, user.y);
        if (cellDistance(g, m.x, m.y, user.x, user.y) == 1) {
            m.facing = dir;
            strike(g, index, g.creatures.current);
        } else {
            stepToward(g, index, dir);
        }
    });
}

void sendMonsterHome(Game& g, int32_t index) {
    guarded(g, "modMonster_Home", [&] {
        const Creature& m = g.creatures(index);
        if (m.x == m.homeX && m.y == m.homeY) return;
        stepToward(g, index, directionTo(g, m.x, m.y, m.homeX, m.homeY));
    });
}

} // namespace gf
