#include "scene.h"

#include "render/status.h"
#include "shell/text.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

class StatusTest : public ::testing::Test {
protected:
    StatusTest() {
        prepareScene(g);
        g.CurrentPlayer = modPlayer_Add(g, 0, 50, 50);
        g.Skills[0] = SkillInfo{"Melee", "Fighting hand to hand"};
        g.Skills[2] = SkillInfo{"Lore", "Knowing old things"};
    }
    Player& me() { return g.Players(g.CurrentPlayer); }
    void carry(int slot, int16_t id) { me().carry(slot) = Item{true, id, 0, 0, 0}; }

    TestGame t;
    Game& g = t.game;
};

// Every label shows its value behind the literal caption, blanks included;
// weapon and armour name the readied slot's catalogue entry or say there is none.
TEST_F(StatusTest, labelsShowTheUsersCreature) {
    Player& p = me();
    p.Name = fixedName("  Ann");
    p.Life = 37;
    p.Stamina = 0;
    p.Level = 3;
    p.XP = 2500;
    p.NextLevelXP = 2431;
    p.SpendableXP = 40;
    p.Gold = 17;
    Update_Status(g);
    const StatusPanel& s = g.status;
    EXPECT_EQ(s.name, "Ann");
    EXPECT_EQ(std::make_tuple(s.life.value, s.life.max, s.life.text, s.life.tooltip),
              std::make_tuple(37, 50, "37/50", "Life Points"));
    EXPECT_EQ(std::make_tuple(s.stamina.text, s.stamina.tooltip), std::make_tuple("0/100", "Stamina Points"));
    EXPECT_EQ(
        (std::vector<std::string>{s.level, s.xp, s.nextLevelXP, s.spendableXP, s.gold, s.weapon, s.armor}),
        (std::vector<std::string>{" Level: 3", " XP: 2500", " Next Level XP: 2431", " Spendable XP: 40",
                                  " Gold: 17", " Weapon: Bare Hands", " Armor: none"}));
    carry(2, 26);
    carry(5, 27);
    p.WeaponSlot = 2;
    p.ArmorSlot = 5;
    Update_Status(g);
    EXPECT_EQ(s.weapon, " Weapon: dagger");
    EXPECT_EQ(s.armor, " Armor: soft leather armor");
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

// Known skills fill the rows in skill order, five at most; rows below keep what they showed.
TEST_F(StatusTest, skillRowsListKnownSkills) {
    g.status.skills[2] = SkillRow{" Old", "old tip", "9 ", "1 XP needed"};
    me().skill(1) = PlayerSkill{true, 15, 0, 110};
    me().skill(2) = PlayerSkill{false, 99, 0, 5};
    me().skill(3) = PlayerSkill{true, 4, 1, 230};
    Update_Status(g);
    const auto& rows = g.status.skills;
    EXPECT_EQ(std::make_tuple(rows[0].name, rows[0].nameTooltip, rows[0].value, rows[0].valueTooltip),
              std::make_tuple(" Melee", "Fighting hand to hand", "15 ", "110 XP needed"));
    EXPECT_EQ(std::make_tuple(rows[1].name, rows[1].value, rows[1].valueTooltip),
              std::make_tuple(" Lore", "4 ", "230 XP needed"));
    EXPECT_EQ(std::make_tuple(rows[2].name, rows[2].value), std::make_tuple(" Old", "9 "));

    for (int s = 1; s <= kSkillCount; ++s)
        me().skill(s) = PlayerSkill{true, s, 0, 0};
    Update_Skills(g);
    EXPECT_EQ(rows[4].value, "5 ");
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

// Box b shows slot scroll + b, cleared first; readied items carry the R and
// image numbers keep their last two digits.
TEST_F(StatusTest, carryBoxesFollowTheScrollBar) {
    g.ItemTypes(28).Image = 123;
    carry(1, 28);
    carry(3, 26);
    carry(4, 28);
    carry(9, 27);
    me().WeaponSlot = 3;
    me().ArmorSlot = 9;
    Update_Status(g);
    const auto& boxes = g.status.carry;
    auto shown = [&](int b) {
        const CarryBox& c = boxes[static_cast<std::size_t>(b)];
        return std::make_tuple(c.slot, c.filled, c.tile, c.readied);
    };
    EXPECT_EQ(shown(1), std::make_tuple(2, false, 0, false));
    EXPECT_EQ(shown(2), std::make_tuple(3, true, 26, true));
    EXPECT_EQ(shown(3), std::make_tuple(4, true, 23, false));
    g.carryScroll = 5;
    Update_Carry(g);
    EXPECT_EQ(shown(0), std::make_tuple(5, false, 0, false));
    EXPECT_EQ(shown(4), std::make_tuple(9, true, 27, true));
}

// After death nothing is looked up: the panel keeps its last contents.
TEST_F(StatusTest, noUserCreatureLeavesThePanelAlone) {
    me().Life = 12;
    Update_Status(g);
    g.CurrentPlayer = 0;
    Update_Status(g);
    EXPECT_EQ(g.status.life.text, "12/50");
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

} // namespace
} // namespace gf::test
