#include "creatures/skills.h"

#include "creatures/combat.h"
#include "messages/messages.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"
#include "util/text.h"

namespace gf {

static SkillInfo& skillInfo(Catalogues& catalogue, int32_t skill) {
    if (skill < 1 || skill > kSkillCount) fail(kSubscriptOutOfRange);
    return catalogue.skills[static_cast<std::size_t>(skill - 1)];
}

void initSkills(Game& g) {
    guarded(g, "modSkill_Init", [&] {
        g.catalogue.skills.fill(SkillInfo{});
        skillInfo(g.catalogue, kMeleeSkill) =
            SkillInfo{"Melee", "Ability to use melee weapons to attack and defend."};
    });
}

int32_t skillValue(Game& g, int32_t index, int32_t skill) {
    return guarded(g, "modSkill_Value", [&] {
        const CreatureSkill& s = g.creatures(index).skill(skill);
        return s.known ? s.value : 0;
    });
}

int32_t rollSkill(Game& g, int32_t index, int32_t skill) {
    return guarded(g, "modSkill_Roll", [&] {
        const double r = g.draw();
        return roundEven(r * 20 + skillValue(g, index, skill) - 10);
    });
}

void addSkillExperience(Game& g, int32_t index, int32_t skill, int32_t xp, bool alsoPlayerXP) {
    guarded(g, "modSkill_Raise_XP", [&] {
        Creature& p = g.creatures(index);
        CreatureSkill& s = p.skill(skill);
        if (!s.known) return;
        s.xpToRaise = sub32(s.xpToRaise, xp);
        if (s.xpToRaise < 1) {
            s.value = add32(s.value, 1);
            s.raises = add32(s.raises, 1);
            // The cost curve is worked in single precision, as the stored costs were made.
            const float f = static_cast<float>(s.raises / 25.0 + 5);
            const double raises = s.raises;
            s.xpToRaise = roundEven(raises * raises * f + f * raises + 100);
            if (index == g.creatures.current)
                addMessage(g,
                           displayName(p.name) + "'s " + skillInfo(g.catalogue, skill).name +
                               " skill has improved to " + std::to_string(s.value) + "!",
                           kGreen);
        }
        if (alsoPlayerXP) addExperience(g, index, xp);
    });
}

void raiseSkill(Game& g, int32_t index, int32_t skill) {
    guarded(g, "modSkill_Raise", [&] {
        Creature& p = g.creatures(index);
        const int32_t cost = p.skill(skill).xpToRaise;
        if (cost <= p.spendableXp) {
            p.spendableXp = sub32(p.spendableXp, cost);
            addSkillExperience(g, index, skill, cost, false);
            if (index == g.creatures.current) g.session.unsavedChanges = true;
        } else if (index == g.creatures.current) {
            addMessage(g,
                       "You need " + std::to_string(cost) + " spendable XP to raise " +
                           skillInfo(g.catalogue, skill).name + "!",
                       kYellow);
        }
    });
}

} // namespace gf
