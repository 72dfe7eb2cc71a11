#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "fight_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace gf::test {
namespace {

class Skills : public FightLevel {
protected:
    void SetUp() override {
        FightLevel::SetUp();
        u = addUser(t, 10, 10, 6, 15);
    }
    PlayerSkill& melee() { return g.Players(u).skill(kMeleeSkill); }

    int32_t u = 0;
};

// A skill the creature lacks counts as 0; a bad skill number is an error that also gives 0.
TEST_F(Skills, valueOfUnknownSkillIsZero) {
    EXPECT_EQ(modSkill_Value(g, u, 1), 15);
    EXPECT_EQ(modSkill_Value(g, u, 2), 0);
    g.Players(u).skill(2).Value = 40;
    EXPECT_EQ(modSkill_Value(g, u, 2), 0);
    EXPECT_EQ(modSkill_Value(g, u, 11), 0);
    EXPECT_EQ(errorBoxes(t), std::vector<std::string>{"Error_modSkill_Value : Subscript out of range"});
}

// A roll lies within the value plus or minus 10, halves rounding to even.
TEST_F(Skills, rollStaysWithinTenOfValue) {
    const std::pair<float, int32_t> cases[] = {{0.0f, 5},    {0.024f, 5},  {0.125f, 8},      {0.5f, 15},
                                               {0.625f, 18}, {0.875f, 22}, {0.99999994f, 25}};
    for (const auto& [r, roll] : cases) {
        t.io.random.queue(r);
        EXPECT_EQ(modSkill_Roll(g, u, kMeleeSkill), roll) << r;
    }
    t.io.random.queue(0.5f);
    EXPECT_EQ(modSkill_Roll(g, u, 2), 0); // unknown skill rolls around 0
}

// Each improvement costs more: 110, 130, 161, 203, ... after the first 100.
TEST_F(Skills, improvementCostsFollowTheCurve) {
    const int32_t costs[] = {110, 130, 161, 203, 256, 320, 396, 483, 582, 694};
    for (int32_t cost : costs) {
        modSkill_Raise_XP(g, u, kMeleeSkill, melee().XPToRaise, false);
        EXPECT_EQ(melee().XPToRaise, cost) << "after " << melee().Raises << " raises";
    }
    EXPECT_EQ(melee().Value, 25);
    EXPECT_EQ(melee().Raises, 10);
}

// One improvement per grant however much is given; the surplus is lost.
TEST_F(Skills, grantRaisesAtMostOnce) {
    struct Case {
        int32_t xp;
        int32_t value, raises, toRaise;
        bool message;
    };
    for (const Case c :
         {Case{99, 15, 0, 1, false}, Case{100, 16, 1, 110, true}, Case{500, 16, 1, 110, true}}) {
        TestGame fresh;
        prepareFightLevel(fresh);
        const int32_t user = addUser(fresh, 10, 10);
        modSkill_Raise_XP(fresh.game, user, kMeleeSkill, c.xp, true);
        const PlayerSkill& s = fresh.game.Players(user).skill(kMeleeSkill);
        EXPECT_EQ(s.Value, c.value) << c.xp;
        EXPECT_EQ(s.Raises, c.raises) << c.xp;
        EXPECT_EQ(s.XPToRaise, c.toRaise) << c.xp;
        EXPECT_EQ(fresh.game.Players(user).XP, c.xp) << "creature experience is granted too";
        const auto shown = shownMessages(fresh.game);
        EXPECT_EQ(std::count(shown.begin(), shown.end(), "Ana's Melee skill has improved to 16!"),
                  c.message ? 1 : 0);
    }
}

// A creature without the skill learns nothing from it, not even creature experience.
TEST_F(Skills, unknownSkillGainsNothing) {
    modSkill_Raise_XP(g, u, 2, 500, true);
    EXPECT_EQ(g.Players(u).skill(2).Value, 0);
    EXPECT_EQ(g.Players(u).XP, 0);
}

// Monsters improve silently.
TEST_F(Skills, monsterImprovesWithoutMessage) {
    const int32_t rat = modPlayer_Add(g, 1, 20, 20);
    modSkill_Raise_XP(g, rat, kMeleeSkill, 5, false);
    EXPECT_EQ(g.Players(rat).skill(kMeleeSkill).Value, 6);
    EXPECT_TRUE(shownMessages(g).empty());
}

// Buying an improvement needs the whole cost in spendable experience.
TEST_F(Skills, raiseNeedsEnoughSpendableXP) {
    modSkill_Raise_XP(g, u, kMeleeSkill, 100, false); // next costs 110
    g.Messages = {};
    g.Players(u).SpendableXP = 109;
    modSkill_Raise(g, u, kMeleeSkill);
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"You need 110 spendable XP to raise Melee!"});
    EXPECT_EQ(g.message(20).Color, static_cast<int32_t>(kYellow));
    EXPECT_EQ(melee().Value, 16);
    EXPECT_EQ(g.Players(u).SpendableXP, 109);

    g.Players(u).SpendableXP = 110;
    modSkill_Raise(g, u, kMeleeSkill);
    EXPECT_EQ(melee().Value, 17);
    EXPECT_EQ(melee().XPToRaise, 130);
    EXPECT_EQ(g.Players(u).SpendableXP, 0);
    EXPECT_EQ(g.Players(u).XP, 0); // bought, not earned
    EXPECT_EQ(shownMessages(g).back(), "Ana's Melee skill has improved to 17!");
    EXPECT_EQ(g.message(20).Color, static_cast<int32_t>(kGreen));
}

// A skill value at the top of its field cannot wrap when it improves.
TEST_F(Skills, improvementOverflowShowsErrorBox) {
    melee().Value = std::numeric_limits<int32_t>::max();
    modSkill_Raise_XP(g, u, kMeleeSkill, 100, false);
    EXPECT_EQ(melee().Value, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(errorBoxes(t), std::vector<std::string>{"Error_modSkill_Raise_XP : Overflow"});
}

} // namespace
} // namespace gf::test
