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
    if (!modPlayer_Move(g, index, dir, true)) modPlayer_Move(g, index, modMap_AltDirection(g, dir), true);
}

void visit(Game& g, int32_t index) {
    const Player& m = g.Players(index);
    if (!m.Active || !m.isMonster()) return;
    if (g.CurrentPlayer == 0) return modMonster_Home(g, index);
    const Player& user = g.Players(g.CurrentPlayer);
    if (modMap_Dist(g, m.X, m.Y, user.X, user.Y) > m.SightRange) return modMonster_Home(g, index);
    if (modMap_Open_Sight_Line(g, m.X, m.Y, user.X, user.Y))
        modMonster_Attack(g, index);
    else
        modMonster_Home(g, index);
}

} // namespace

void modMonster_Process(Game& g) {
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

void modMonster_Attack(Game& g, int32_t index) {
    guarded(g, "modMonster_Attack", [&] {
        Player& m = g.Players(index);
        const Player& user = g.Players(g.CurrentPlayer);
        const int16_t dir = modMap_Direction(g, m.X, m.Y, user.X, user.Y);
        if (modMap_Dist(g, m.X, m.Y, user.X, user.Y) == 1) {
            m.Facing = dir;
            modPlayer_Attack(g, index, g.CurrentPlayer);
        } else {
            stepToward(g, index, dir);
        }
    });
}

void modMonster_Home(Game& g, int32_t index) {
    guarded(g, "modMonster_Home", [&] {
        const Player& m = g.Players(index);
        if (m.X == m.HomeX && m.Y == m.HomeY) return;
        stepToward(g, index, modMap_Direction(g, m.X, m.Y, m.HomeX, m.HomeY));
    });
}

} // namespace gf
