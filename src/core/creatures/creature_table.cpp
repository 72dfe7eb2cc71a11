#include "creatures/creature_table.h"

#include "map/directions.h"
#include "map/map_file.h"
#include "savegame/savegame.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"
#include "shell/text.h"

namespace gf {

void createPlayers(Game& g) {
    g.Players.redim(kFirstPlayerEntries);
}

static void startAsUser(Player& p) {
    p.Image = 0;
    p.Life = p.MaxLife = 50;
    p.Stamina = p.MaxStamina = 100;
    p.SightRange = 100;
    p.Level = 1;
    p.NextLevelXP = 1000;
}

static void startAsMonster(Player& p, const MonsterInfo& type) {
    p.Level = type.Level;
    p.Name = fixedName(type.Name);
    p.Image = type.Image;
    p.Life = p.MaxLife = type.Life;
    p.Stamina = p.MaxStamina = type.Stamina;
    p.SightRange = type.SightRange;
    p.skill(kMeleeSkill).Known = true;
    p.skill(kMeleeSkill).Value = type.Melee;
}

int32_t addCreature(Game& g, int16_t monsterType, int32_t x, int32_t y) {
    return guarded(g, "modPlayer_Add", [&]() -> int32_t {
        if (!inMap(x, y) || g.MapPlayer(x, y) != 0) return 0;
        // Look the type up before touching the table, so a missing one leaves nothing half-made.
        const MonsterInfo* type = nullptr;
        if (monsterType >= 1) {
            if (!g.MonsterTypes.valid(monsterType))
                fail("Monster " + std::to_string(monsterType) + " is not in monster.ini");
            type = &g.MonsterTypes(monsterType);
        }
        int32_t index = 0;
        const int32_t upper = g.Players.ubound();
        for (int32_t i = 1; i <= upper; ++i) {
            if (!g.Players(i).Active) {
                index = i;
                break;
            }
        }
        if (index == 0) {
            g.Players.redimPreserve(add32(upper, kPlayerTableStep));
            index = upper + 1; // the first of the new entries
        }
        Player p;
        p.Active = true;
        p.MonsterType = monsterType;
        p.X = p.HomeX = x;
        p.Y = p.HomeY = y;
        p.Facing = Direction::South;
        if (type)
            startAsMonster(p, *type);
        else
            startAsUser(p);
        g.Players(index) = std::move(p);
        g.MapPlayer(x, y) = index;
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
        g.CurrentPlayer = 0;
        // Checked here so a missing level gives one box of ours, not one of addCreature.
        if (!g.MapPlayer.exists()) fail("There is no level to start on");
        const std::string cell = "(" + std::to_string(g.StartX) + ", " + std::to_string(g.StartY) + ")";
        if (!inMap(g.StartX, g.StartY)) fail("The start cell " + cell + " is off the map");
        if (g.MapPlayer(g.StartX, g.StartY) != 0) fail("The start cell " + cell + " is taken");
        g.CurrentPlayer = addCreature(g, 0, g.StartX, g.StartY);
        if (g.CurrentPlayer == 0) fail("The user's creature could not be placed");
        g.ViewX = g.StartX;
        g.ViewY = g.StartY;
        const std::optional<std::string> chosen = name ? name : askForName(g);
        if (!chosen) {
            removeCreature(g, g.CurrentPlayer);
            return;
        }
        g.gameFile.clear();
        Player& p = g.player(g.CurrentPlayer);
        p.Name = fixedName(*chosen);
        PlayerSkill& melee = p.skill(kMeleeSkill);
        melee.Known = true;
        // Single-precision arithmetic, so a draw landing on a half rounds as the game always has.
        melee.Value = roundEven(g.draw() * 10.0f + 10.0f);
        melee.XPToRaise = 100;
    });
}

void removeCreature(Game& g, int32_t index) {
    guarded(g, "modPlayer_Remove", [&] {
        Player& p = g.Players(index);
        if (g.MapPlayer.exists() && inMap(p.X, p.Y) && g.MapPlayer(p.X, p.Y) == index)
            g.MapPlayer(p.X, p.Y) = 0;
        p = Player{};
        if (index == g.CurrentPlayer) g.CurrentPlayer = 0;
    });
}

} // namespace gf
