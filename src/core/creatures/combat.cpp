#include "creatures/combat.h"

#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "items/equipment.h"
#include "items/item_table.h"
#include "messages/messages.h"
#include "render/status.h"
#include "sound/sound.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"
#include "util/text.h"

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
const MonsterInfo* monsterInfo(const Catalogues& catalogue, const Creature& p) {
    return p.isMonster() && catalogue.monsters.valid(p.monsterType) ? &catalogue.monsters(p.monsterType)
                                                                    : nullptr;
}

// Spends one stamina; a fighter driven below 0 rolls at a quarter.
int32_t spendStamina(Creature& p, int32_t roll) {
    p.stamina = sub32(p.stamina, 1);
    if (p.stamina >= 0) return roll;
    p.stamina = 0;
    return roundEven(roll * 0.25);
}

void markInCombat(Creature& p) {
    p.inCombat = true;
    p.combatPenalty = add32(p.combatPenalty, kPenaltyStep);
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
        if (g.creatures(attacker).nextAttackTime > t) return;

        int32_t a = rollSkill(g, attacker, kMeleeSkill);
        int32_t d = rollSkill(g, defender, kMeleeSkill);
        a = sub32(a, g.creatures(attacker).combatPenalty);
        d = sub32(d, g.creatures(defender).combatPenalty);
        a = spendStamina(g.creatures(attacker), a);
        d = spendStamina(g.creatures(defender), d);

        const bool userAttacks = attacker == g.creatures.current;
        const bool userDefends = defender == g.creatures.current;
        if (const MonsterInfo* info = monsterInfo(g.catalogue, g.creatures(attacker))) {
            if (info->soundId != 0) playSound(g, info->soundId);
        } else if (userAttacks) {
            playSound(g, SoundId::CaneSwish);
        }

        bool defenderDied = false;
        if (a > d) {
            const int32_t life = g.creatures(defender).life;
            const int32_t weapon = weaponDamage(g, attacker); // drawn before the armour
            const int32_t damage = std::min(std::max(sub32(weapon, armourValue(g, defender)), 1), life);
            if (userAttacks)
                addSkillExperience(g, attacker, kMeleeSkill, mul32(g.creatures(attacker).level, damage),
                                   true);
            const Creature& victim = g.creatures(defender);
            addDamageMessage(g, victim.x, victim.y, damage);
            if (userDefends) playSound(g, SoundId::Ow);
            playSound(g, SoundId::Punch);
            defenderDied = reduceLife(g, defender, damage);
        } else if (userDefends) {
            addSkillExperience(g, defender, kMeleeSkill, mul32(g.creatures(attacker).level, kParryXPPerLevel),
                               true);
        }

        Creature& p = g.creatures(attacker);
        p.nextAttackTime = t + kAttackPause;
        if (p.isMonster()) p.nextAttackTime = static_cast<float>(p.nextAttackTime + g.draw() * 0.1);
        markInCombat(p);
        // A removed defender's entry is free again and must stay blank.
        if (!defenderDied) markInCombat(g.creatures(defender));
    });
}

bool reduceLife(Game& g, int32_t index, int32_t amount) {
    return guarded(g, "modPlayer_Reduce_Life", [&] {
        Creature& p = g.creatures(index);
        p.life = sub32(p.life, amount);
        if (index == g.creatures.current) g.session.unsavedChanges = true;
        if (p.life >= 1) return false;
        // The panel keeps the last blow: the entry is gone by the time the game-over box shows.
        if (index == g.creatures.current) updateStatus(g);
        if (const MonsterInfo* info = monsterInfo(g.catalogue, p); info && info->deadItem >= 1)
            addItem(g, info->deadItem, p.x, p.y);
        removeCreature(g, index);
        return true;
    });
}

void addExperience(Game& g, int32_t index, int32_t xp) {
    guarded(g, "modPlayer_Raise_XP", [&] {
        Creature& p = g.creatures(index);
        p.xp = add32(p.xp, xp);
        p.spendableXp = roundEven(p.spendableXp + xp / 2.0);
        p.nextLevelXp = sub32(p.nextLevelXp, xp);
        if (p.nextLevelXp > 0) return;
        p.level = add32(p.level, 1);
        p.nextLevelXp = levelCurve(p.level);
        if (index == g.creatures.current)
            addMessage(g, displayName(p.name) + " has gained level " + std::to_string(p.level) + "!", kGreen);
    });
}

void refreshCreatures(Game& g) {
    guarded(g, "modPlayer_Process", [&] {
        for (Creature& p : g.creatures) {
            if (!p.active) continue;
            if (!p.inCombat) {
                if (p.life < p.maxLife) p.life += kLifePerRefresh;
                // Worked wide and cut back, so a stamina near the top of its field cannot overflow.
                if (p.stamina < p.maxStamina)
                    p.stamina = static_cast<int32_t>(std::min<int64_t>(
                        static_cast<int64_t>(p.stamina) + kStaminaPerRefresh, p.maxStamina));
            }
            p.inCombat = false;
            p.combatPenalty = 0;
        }
    });
}

} // namespace gf
