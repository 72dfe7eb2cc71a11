#include "creatures/combat.h"

#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "items/equipment.h"
#include "items/item_table.h"
#include "messages/messages.h"
#include "render/status.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"
#include "shell/text.h"
#include "sound/sound.h"

#include <algorithm>

namespace gf {

namespace {

constexpr int32_t kPenaltyStep = 5;
constexpr float kAttackPause = 1;
constexpr int32_t kParryXPPerLevel = 10;
constexpr int32_t kLifePerRefresh = 1;
constexpr int32_t kStaminaPerRefresh = 4;

// A saved game may name a monster type the catalogue lacks; such a monster
// still fights and dies, it just has no sound and leaves nothing behind.
const MonsterInfo* monsterInfo(const Game& g, const Player& p) {
    return p.isMonster() && g.MonsterTypes.valid(p.MonsterType) ? &g.MonsterTypes(p.MonsterType) : nullptr;
}

// Spends one stamina; a fighter driven below 0 rolls at a quarter.
int32_t spendStamina(Player& p, int32_t roll) {
    p.Stamina = sub32(p.Stamina, 1);
    if (p.Stamina >= 0) return roll;
    p.Stamina = 0;
    return roundEven(roll * 0.25);
}

void markInCombat(Player& p) {
    p.InCombat = true;
    p.CombatPenalty = add32(p.CombatPenalty, kPenaltyStep);
}

// (L^3 + 20) * 50 + L^4: the experience needed from level L to the next.
int32_t levelCurve(int32_t level) {
    const long double l = level;
    return narrow<int32_t>((l * l * l + 20) * 50 + l * l * l * l);
}

} // namespace

void strike(Game& g, int32_t attacker, int32_t defender) {
    guarded(g, "modPlayer_Attack", [&] {
        const float t = g.now();
        if (g.Players(attacker).NextAttackTime > t) return;

        int32_t a = rollSkill(g, attacker, kMeleeSkill);
        int32_t d = rollSkill(g, defender, kMeleeSkill);
        a = sub32(a, g.Players(attacker).CombatPenalty);
        d = sub32(d, g.Players(defender).CombatPenalty);
        a = spendStamina(g.Players(attacker), a);
        d = spendStamina(g.Players(defender), d);

        const bool userAttacks = attacker == g.CurrentPlayer;
        const bool userDefends = defender == g.CurrentPlayer;
        if (const MonsterInfo* info = monsterInfo(g, g.Players(attacker))) {
            if (info->SoundID != 0) playSound(g, info->SoundID);
        } else if (userAttacks) {
            playSound(g, SoundId::CaneSwish);
        }

        bool defenderDied = false;
        if (a > d) {
            const int32_t life = g.Players(defender).Life;
            const int32_t weapon = weaponDamage(g, attacker); // drawn before the armour
            const int32_t damage = std::min(std::max(sub32(weapon, armourValue(g, defender)), 1), life);
            if (userAttacks)
                addSkillExperience(g, attacker, kMeleeSkill, mul32(g.Players(attacker).Level, damage), true);
            const Player& victim = g.Players(defender);
            addDamageMessage(g, victim.X, victim.Y, damage);
            if (userDefends) playSound(g, SoundId::Ow);
            playSound(g, SoundId::Punch);
            defenderDied = reduceLife(g, defender, damage);
        } else if (userDefends) {
            addSkillExperience(g, defender, kMeleeSkill, mul32(g.Players(attacker).Level, kParryXPPerLevel),
                               true);
        }

        Player& p = g.Players(attacker);
        p.NextAttackTime = t + kAttackPause;
        if (p.isMonster()) p.NextAttackTime = static_cast<float>(p.NextAttackTime + g.draw() * 0.1);
        markInCombat(p);
        // A removed defender's entry is free again and must stay blank.
        if (!defenderDied) markInCombat(g.Players(defender));
    });
}

bool reduceLife(Game& g, int32_t index, int32_t amount) {
    return guarded(g, "modPlayer_Reduce_Life", [&] {
        Player& p = g.Players(index);
        p.Life = sub32(p.Life, amount);
        if (index == g.CurrentPlayer) g.unsavedChanges = true;
        if (p.Life >= 1) return false;
        // The panel keeps the last blow: the entry is gone by the time the game-over box shows.
        if (index == g.CurrentPlayer) updateStatus(g);
        if (const MonsterInfo* info = monsterInfo(g, p); info && info->DeadItem >= 1)
            addItem(g, info->DeadItem, p.X, p.Y);
        removeCreature(g, index);
        return true;
    });
}

void addExperience(Game& g, int32_t index, int32_t xp) {
    guarded(g, "modPlayer_Raise_XP", [&] {
        Player& p = g.Players(index);
        p.XP = add32(p.XP, xp);
        p.SpendableXP = roundEven(p.SpendableXP + xp / 2.0);
        p.NextLevelXP = sub32(p.NextLevelXP, xp);
        if (p.NextLevelXP > 0) return;
        p.Level = add32(p.Level, 1);
        p.NextLevelXP = levelCurve(p.Level);
        if (index == g.CurrentPlayer)
            addMessage(g, displayName(p.Name) + " has gained level " + std::to_string(p.Level) + "!", kGreen);
    });
}

void refreshCreatures(Game& g) {
    guarded(g, "modPlayer_Process", [&] {
        for (Player& p : g.Players) {
            if (!p.Active) continue;
            if (!p.InCombat) {
                if (p.Life < p.MaxLife) p.Life += kLifePerRefresh;
                // Worked wide and cut back, so a stamina near the top of its field cannot overflow.
                if (p.Stamina < p.MaxStamina)
                    p.Stamina = static_cast<int32_t>(std::min<int64_t>(
                        static_cast<int64_t>(p.Stamina) + kStaminaPerRefresh, p.MaxStamina));
            }
            p.InCombat = false;
            p.CombatPenalty = 0;
        }
    });
}

} // namespace gf
