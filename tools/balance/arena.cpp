#include "arena.hpp"

#include "creatures/combat.h"
#include "creatures/creature_table.h"
#include "creatures/monster_behaviour.h"
#include "creatures/monster_catalogue.h"
#include "creatures/skills.h"
#include "items/equipment.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/map_file.h"
#include "shell/timers.h"

#include <stdexcept>
#include <string>

namespace gloamfell::balance {

namespace {

constexpr int32_t kUserX = 50, kMonsterX = 51, kRow = 50;
// The game's timers in quarter seconds: every time the arena uses is exact in a float.
constexpr float kStep = 0.25f;
constexpr int kStepsPerSecond = 4;
constexpr int kMonsterSteps = gf::kTimer1Ms * kStepsPerSecond / 1000;
constexpr int kRefreshSteps = gf::kTimer3Ms * kStepsPerSecond / 1000;
constexpr float kStartTime = 1000;
// Every blow does at least 1, so fights end; this only guards a broken catalogue.
constexpr int kMaxSteps = 3600 * kStepsPerSecond;

} // namespace

Arena::Arena(const std::string& dataFolder) : game_(io_.platform(), dataFolder) {
    gf::modItem_Init(game_);
    gf::createPlayers(game_);
    gf::modMonster_Init(game_);
    gf::modSkill_Init(game_);
    gf::modMap_Clear(game_, "Arena");
}

Fighter Arena::freshFighter(int32_t level, int32_t melee) {
    gf::Game& g = game_;
    g.StartX = kUserX;
    g.StartY = kRow;
    io_.window.inputAnswers.push_back("Fighter");
    gf::modPlayer_Setup(g);
    Fighter f;
    f.record = g.Players(g.CurrentPlayer);
    f.record.Level = level;
    f.record.skill(gf::kMeleeSkill).Value = melee;
    clearArena();
    return f;
}

int32_t Arena::placeUser(const Fighter& user) {
    gf::Game& g = game_;
    g.CurrentPlayer = gf::modPlayer_Add(g, 0, kUserX, kRow);
    gf::Player& p = g.Players(g.CurrentPlayer);
    const gf::Player placed = p;
    p = user.record;
    p.Active = true;
    p.MonsterType = 0;
    p.X = p.HomeX = placed.X;
    p.Y = p.HomeY = placed.Y;
    p.Facing = 6; // toward the monster
    p.Life = p.MaxLife;
    p.Stamina = p.MaxStamina;
    p.NextAttackTime = 0;
    p.InCombat = false;
    p.CombatPenalty = 0;
    p.Carry = {};
    p.WeaponSlot = p.ArmorSlot = 0;
    int32_t slot = 0;
    for (int16_t id : {user.weapon, user.armor}) {
        if (id == 0) continue;
        p.carry(++slot) = gf::Item{true, id, 0, 0, 0};
        gf::modItem_Arm_Weapon(g, g.CurrentPlayer, slot);
    }
    return g.CurrentPlayer;
}

void Arena::clearArena() {
    gf::Game& g = game_;
    for (int32_t i = 1; i <= g.Players.ubound(); ++i)
        if (g.Players(i).Active) gf::modPlayer_Remove(g, i);
    gf::modItem_Delete(g, g.MapItem(kMonsterX, kRow));
}

FightOutcome Arena::fight(const Fighter& user, int16_t monsterType) {
    gf::Game& g = game_;
    const int32_t u = placeUser(user);
    const int32_t m = gf::modPlayer_Add(g, monsterType, kMonsterX, kRow);
    if (m == 0) {
        clearArena();
        throw std::runtime_error("monster " + std::to_string(monsterType) + " cannot be placed");
    }
    // The user meets the monster at any point of the timers' cycles.
    const int phase = static_cast<int>(g.draw() * kRefreshSteps);
    FightOutcome out;
    int step = 0;
    for (; step < kMaxSteps && g.CurrentPlayer != 0 && g.Players(m).Active; ++step) {
        io_.clock.time = kStartTime + static_cast<float>(step) * kStep;
        const int tick = step + phase;
        if (tick % kMonsterSteps == 0) gf::modMonster_Process(g);
        if (tick % kRefreshSteps == 0) gf::modPlayer_Process(g);
        if (g.CurrentPlayer != 0 && g.Players(m).Active) gf::modPlayer_Attack(g, u, m);
    }
    out.seconds = static_cast<float>(step) * kStep;
    out.won = g.CurrentPlayer != 0 && !g.Players(m).Active;
    if (g.CurrentPlayer != 0) {
        spendOnMelee(g, u);
        out.after = g.Players(u);
        out.lifeLost = out.after.MaxLife - out.after.Life;
    } else {
        out.lifeLost = user.record.MaxLife;
    }
    clearArena();
    return out;
}

void Arena::spendOnMelee(gf::Game& g, int32_t user) {
    const gf::Player& p = g.Players(user);
    while (p.skill(gf::kMeleeSkill).XPToRaise > 0 && p.skill(gf::kMeleeSkill).XPToRaise <= p.SpendableXP)
        gf::modSkill_Raise(g, user, gf::kMeleeSkill);
}

} // namespace gloamfell::balance
