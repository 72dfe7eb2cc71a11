#include "creatures/skills.h"

#include "creatures/combat.h"
#include "messages/messages.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"
#include "shell/text.h"

namespace gf {

static SkillInfo& skillInfo(Game& g, int32_t skill) {
    if (skill < 1 || skill > kSkillCount) fail(kSubscriptOutOfRange);
    return g.Skills[static_cast<std::size_t>(skill - 1)];
}

void initSkills(Game& g) {
    guarded(g, "modSkill_Init", [&] {
        g.Skills.fill(SkillInfo{});
        skillInfo(g, kMeleeSkill) = SkillInfo{"Melee", "Ability to use melee weapons to attack and defend."};
    });
}

int32_t skillValue(Game& g, int32_t index, int32_t skill) {
    return guarded(g, "modSkill_Value", [&] {
        const PlayerSkill& s = g.Players(index).skill(skill);
        return s.Known ? s.Value : 0;
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
        Player& p = g.Players(index);
        PlayerSkill& s = p.skill(skill);
        if (!s.Known) return;
        s.XPToRaise = sub32(s.XPToRaise, xp);
        if (s.XPToRaise < 1) {
            s.Value = add32(s.Value, 1);
            s.Raises = add32(s.Raises, 1);
            // The cost curve is worked in single precision, as the stored costs were made.
            const float f = static_cast<float>(s.Raises / 25.0 + 5);
            const double raises = s.Raises;
            s.XPToRaise = roundEven(raises * raises * f + f * raises + 100);
            if (index == g.CurrentPlayer)
                addMessage(g,
                           displayName(p.Name) + "'s " + skillInfo(g, skill).Name +
                               " skill has improved to " + std::to_string(s.Value) + "!",
                           kGreen);
        }
        if (alsoPlayerXP) addExperience(g, index, xp);
    });
}

void raiseSkill(Game& g, int32_t index, int32_t skill) {
    guarded(g, "modSkill_Raise", [&] {
        Player& p = g.Players(index);
        const int32_t cost = p.skill(skill).XPToRaise;
        if (cost <= p.SpendableXP) {
            p.SpendableXP = sub32(p.SpendableXP, cost);
            addSkillExperience(g, index, skill, cost, false);
            if (index == g.CurrentPlayer) g.unsavedChanges = true;
        } else if (index == g.CurrentPlayer) {
            addMessage(g,
                       "You need " + std::to_string(cost) + " spendable XP to raise " +
                           skillInfo(g, skill).Name + "!",
                       kYellow);
        }
    });
}

} // namespace gf
