#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "fight_support.h"

#include <gtest/gtest.h>

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

// A skill the creature lacks counts as 0 and rolls around 0; a bad skill number is an error that gives 0.
TEST_F(Skills, valueOfUnknownSkillIsZero) {
    g.Players(u).skill(2).Value = 40;
    EXPECT_EQ(modSkill_Value(g, u, 2), 0);
    t.io.random.queue(0.5f);
    EXPECT_EQ(modSkill_Roll(g, u, 2), 0);
    EXPECT_EQ(modSkill_Value(g, u, 11), 0);
    EXPECT_EQ(boxTexts(t), std::vector<std::string>{"Error_modSkill_Value : Subscript out of range"});
}

// A roll lies within the value plus or minus 10, halves rounding to even.
TEST_F(Skills, rollStaysWithinTenOfValue) {
    for (const auto& [r, roll] :
         {std::pair{0.0f, 5}, {0.125f, 8}, {0.5f, 15}, {0.625f, 18}, {0.875f, 22}, {0.99999994f, 25}}) {
        t.io.random.queue(r);
        EXPECT_EQ(modSkill_Roll(g, u, kMeleeSkill), roll) << r;
    }
}

// One improvement per grant however much is given, the surplus lost, with the creature's experience
// granted too; each improvement costs more than the one before.
TEST_F(Skills, grantRaisesAtMostOnceAndCostsGrow) {
    modSkill_Raise_XP(g, u, kMeleeSkill, 99, true);
    EXPECT_EQ(melee().Value, 15);
    EXPECT_EQ(melee().XPToRaise, 1);
    EXPECT_TRUE(shownMessages(g).empty());
    modSkill_Raise_XP(g, u, kMeleeSkill, 500, true);
    EXPECT_EQ(std::tuple(melee().Value, melee().Raises, melee().XPToRaise, g.Players(u).XP),
              std::tuple(16, 1, 110, 599));
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"Ana's Melee skill has improved to 16!"});

    int32_t previous = melee().XPToRaise;
    for (int raises = 2; raises <= 10; ++raises) {
        modSkill_Raise_XP(g, u, kMeleeSkill, melee().XPToRaise, false);
        EXPECT_GT(melee().XPToRaise, previous) << raises << " raises";
        if (raises == 2) {
            EXPECT_EQ(melee().XPToRaise, 130);
        }
        previous = melee().XPToRaise;
    }
    EXPECT_EQ(melee().XPToRaise, 694);
    EXPECT_EQ(melee().Value, 25);
}

// Without the skill nothing is learnt, not even creature experience; monsters improve silently.
TEST_F(Skills, unknownSkillGainsNothingAndMonstersAreSilent) {
    modSkill_Raise_XP(g, u, 2, 500, true);
    EXPECT_EQ(g.Players(u).skill(2).Value, 0);
    EXPECT_EQ(g.Players(u).XP, 0);
    const int32_t rat = modPlayer_Add(g, 1, 20, 20);
    modSkill_Raise_XP(g, rat, kMeleeSkill, 5, false);
    EXPECT_EQ(g.Players(rat).skill(kMeleeSkill).Value, 6);
    EXPECT_TRUE(shownMessages(g).empty());
}

// Buying an improvement needs the whole cost in spendable experience.
TEST_F(Skills, raiseNeedsEnoughSpendableXP) {
    g.Players(u).SpendableXP = 99;
    modSkill_Raise(g, u, kMeleeSkill);
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"You need 100 spendable XP to raise Melee!"});
    EXPECT_EQ(g.message(20).Color, static_cast<int32_t>(kYellow));
    EXPECT_EQ(melee().Value, 15);
    EXPECT_EQ(g.Players(u).SpendableXP, 99);

    g.Players(u).SpendableXP = 100;
    modSkill_Raise(g, u, kMeleeSkill);
    EXPECT_EQ(std::tuple(melee().Value, melee().XPToRaise, g.Players(u).SpendableXP, g.Players(u).XP),
              std::tuple(16, 110, 0, 0))
        << "bought, not earned";
    EXPECT_EQ(shownMessages(g).back(), "Ana's Melee skill has improved to 16!");
    EXPECT_EQ(g.message(20).Color, static_cast<int32_t>(kGreen));
}

// A skill value at the top of its field cannot wrap when it improves.
TEST_F(Skills, improvementOverflowShowsErrorBox) {
    melee().Value = std::numeric_limits<int32_t>::max();
    modSkill_Raise_XP(g, u, kMeleeSkill, 100, false);
    EXPECT_EQ(melee().Value, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(boxTexts(t), std::vector<std::string>{"Error_modSkill_Raise_XP : Overflow"});
}

} // namespace
} // namespace gf::test
