#include "creatures/creature_table.h"

#include "map/directions.h"
#include "savegame/savegame.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"
#include "util/text.h"

namespace gf {

void createCreatureTable(CreatureTable& creatures) {
    creatures.reset(kFirstPlayerEntries);
}

static void startAsUser(Creature& p) {
    p.image = 0;
    p.life = p.maxLife = 50;
    p.stamina = p.maxStamina = 100;
    p.sightRange = 100;
    p.level = 1;
    p.nextLevelXp = 1000;
}

static void startAsMonster(Creature& p, const MonsterInfo& type) {
    p.level = type.level;
    p.name = fixedName(type.name);
    p.image = type.image;
    p.life = p.maxLife = type.life;
    p.stamina = p.maxStamina = type.stamina;
    p.sightRange = type.sightRange;
    p.skill(kMeleeSkill).known = true;
    p.skill(kMeleeSkill).value = type.melee;
}

int32_t addCreature(Game& g, int16_t monsterType, int32_t x, int32_t y) {
    return guarded(g, "modPlayer_Add", [&]() -> int32_t {
        if (!inMap(x, y) || g.level.creatureAt(x, y) != 0) return 0;
        // Look the type up before touching the table, so a missing one leaves nothing half-made.
        const MonsterInfo* type = nullptr;
        if (monsterType >= 1) {
            if (!g.catalogue.monsters.valid(monsterType))
                fail("Monster " + std::to_string(monsterType) + " is not in monster.ini");
            type = &g.catalogue.monsters(monsterType);
        }
        int32_t index = 0;
        const int32_t upper = g.creatures.size();
        for (int32_t i = 1; i <= upper; ++i) {
            if (!g.creatures(i).active) {
                index = i;
                break;
            }
        }
        if (index == 0) {
            g.creatures.resize(add32(upper, kPlayerTableStep));
            index = upper + 1; // the first of the new entries
        }
        Creature p;
        p.active = true;
        p.monsterType = monsterType;
        p.x = p.homeX = x;
        p.y = p.homeY = y;
        p.facing = Direction::South;
        if (type)
            startAsMonster(p, *type);
        else
            startAsUser(p);
        g.creatures(index) = std::move(p);
        g.level.creatureAt(x, y) = index;
        return index;
    });
}

std::optional<std::string> askForName(Game& g) {
    const std::string ask = "Enter your players name:";
    std::string prompt = ask;
    for (;;) {
        const std::optional<std::string> answer = g.io.window.inputBox(prompt, kAppTitle);
        if (!answer) return std::nullopt;
        const std::string problem = saveNameProblem(displayName(fixedName(*answer)));
        if (problem.empty()) return answer;
        prompt = problem + ".\r\n" + ask;
    }
}

void createUser(Game& g, const std::optional<std::string>& name) {
    guarded(g, "modPlayer_Setup", [&] {
        g.creatures.current = 0;
        // Checked here so a missing level gives one box of ours, not one of addCreature.
        if (!g.level.creatureAt.exists()) fail("There is no level to start on");
        const std::string cell =
            "(" + std::to_string(g.level.startX) + ", " + std::to_string(g.level.startY) + ")";
        if (!inMap(g.level.startX, g.level.startY)) fail("The start cell " + cell + " is off the map");
        if (g.level.creatureAt(g.level.startX, g.level.startY) != 0)
            fail("The start cell " + cell + " is taken");
        g.creatures.current = addCreature(g, 0, g.level.startX, g.level.startY);
        if (g.creatures.current == 0) fail("The user's creature could not be placed");
        g.screen.viewX = g.level.startX;
        g.screen.viewY = g.level.startY;
        const std::optional<std::string> chosen = name ? name : askForName(g);
        if (!chosen) {
            removeCreature(g, g.creatures.current);
            return;
        }
        g.session.gameFile.clear();
        Creature& p = g.creatures(g.creatures.current);
        p.name = fixedName(*chosen);
        CreatureSkill& melee = p.skill(kMeleeSkill);
        melee.known = true;
        // Single-precision arithmetic, so a draw landing on a half rounds as the game always has.
        melee.value = roundEven(g.draw() * 10.0f + 10.0f);
        melee.xpToRaise = 100;
    });
}

void removeCreature(Game& g, int32_t index) {
    guarded(g, "modPlayer_Remove", [&] {
        Creature& p = g.creatures(index);
        if (g.level.creatureAt.exists() && inMap(p.x, p.y) && g.level.creatureAt(p.x, p.y) == index)
            g.level.creatureAt(p.x, p.y) = 0;
        p = Creature{};
        if (index == g.creatures.current) g.creatures.current = 0;
    });
}

} // namespace gf
