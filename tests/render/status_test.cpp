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

// Every label shows its value behind the literal caption, blanks included.
TEST_F(StatusTest, labelsShowTheUsersCreature) {
    Player& p = me();
    p.Name = fixedName("  Ann");
    p.Life = 37;
    p.MaxLife = 50;
    p.Stamina = 0;
    p.MaxStamina = 100;
    p.Level = 3;
    p.XP = 2500;
    p.NextLevelXP = 2431;
    p.SpendableXP = 40;
    p.Gold = 17;
    Update_Status(g);
    const StatusPanel& s = g.status;
    EXPECT_EQ(s.name, "Ann");
    EXPECT_EQ(s.life.value, 37);
    EXPECT_EQ(s.life.max, 50);
    EXPECT_EQ(s.life.text, "37/50");
    EXPECT_EQ(s.life.tooltip, "Life Points");
    EXPECT_EQ(s.stamina.text, "0/100");
    EXPECT_EQ(s.stamina.tooltip, "Stamina Points");
    EXPECT_EQ(s.level, " Level: 3");
    EXPECT_EQ(s.xp, " XP: 2500");
    EXPECT_EQ(s.nextLevelXP, " Next Level XP: 2431");
    EXPECT_EQ(s.spendableXP, " Spendable XP: 40");
    EXPECT_EQ(s.gold, " Gold: 17");
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

// Weapon and armour labels name the catalogue entry of the readied slot, or say there is none.
TEST_F(StatusTest, weaponAndArmorLabels) {
    struct Case {
        int32_t weaponSlot, armorSlot;
        const char* weapon;
        const char* armor;
    };
    carry(2, 26);
    carry(5, 27);
    for (const Case c : {Case{0, 0, " Weapon: Bare Hands", " Armor: none"},
                         Case{2, 5, " Weapon: dagger", " Armor: soft leather armor"}}) {
        me().WeaponSlot = c.weaponSlot;
        me().ArmorSlot = c.armorSlot;
        Update_Status(g);
        EXPECT_EQ(g.status.weapon, c.weapon);
        EXPECT_EQ(g.status.armor, c.armor);
    }
}

// Known skills fill the rows in skill order; rows below keep what they showed.
TEST_F(StatusTest, skillRowsListKnownSkills) {
    g.status.skills[2] = SkillRow{" Old", "old tip", "9 ", "1 XP needed"};
    me().skill(1) = PlayerSkill{true, 15, 0, 110};
    me().skill(2) = PlayerSkill{false, 99, 0, 5};
    me().skill(3) = PlayerSkill{true, 4, 1, 230};
    Update_Status(g);
    const auto& rows = g.status.skills;
    EXPECT_EQ(rows[0].name, " Melee");
    EXPECT_EQ(rows[0].nameTooltip, "Fighting hand to hand");
    EXPECT_EQ(rows[0].value, "15 ");
    EXPECT_EQ(rows[0].valueTooltip, "110 XP needed");
    EXPECT_EQ(rows[1].name, " Lore");
    EXPECT_EQ(rows[1].value, "4 ");
    EXPECT_EQ(rows[1].valueTooltip, "230 XP needed");
    EXPECT_EQ(rows[2].name, " Old");
    EXPECT_EQ(rows[2].value, "9 ");
}

// More known skills than rows: the first five show, the rest wait their turn.
TEST_F(StatusTest, skillRowsStopAtTheLastRow) {
    for (int s = 1; s <= kSkillCount; ++s)
        me().skill(s) = PlayerSkill{true, s, 0, 0};
    Update_Skills(g);
    EXPECT_EQ(g.status.skills[4].value, "5 ");
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

// Box b shows slot scroll + b; readied items carry the R, image numbers keep two digits.
TEST_F(StatusTest, carryBoxesFollowTheScrollBar) {
    g.ItemTypes(28).Image = 123;
    carry(3, 26);
    carry(4, 28);
    carry(9, 27);
    carry(1, 28);
    me().WeaponSlot = 3;
    me().ArmorSlot = 9;
    g.carryScroll = 1;
    Update_Status(g);
    const auto& boxes = g.status.carry;
    for (int b = 0; b < kCarryBoxes; ++b)
        EXPECT_EQ(boxes[b].slot, 1 + b);
    EXPECT_TRUE(boxes[2].filled);
    EXPECT_EQ(boxes[2].tile, 26);
    EXPECT_TRUE(boxes[2].readied);
    EXPECT_EQ(boxes[3].tile, 23);
    EXPECT_FALSE(boxes[3].readied);
    EXPECT_FALSE(boxes[1].filled);
    g.carryScroll = 5;
    Update_Carry(g);
    EXPECT_EQ(boxes[0].slot, 5);
    EXPECT_FALSE(boxes[0].filled) << "cleared, not left over from slot 1";
    EXPECT_EQ(boxes[0].tile, 0);
    EXPECT_TRUE(boxes[4].readied) << "slot 9 is the worn armour";
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

// A failure shows the panel's own box and leaves what was already filled.
TEST_F(StatusTest, brokenWeaponSlotReportsAndStops) {
    me().WeaponSlot = 3; // nothing in it: no catalogue entry 0
    me().Gold = 8;
    Update_Status(g);
    const auto boxes = t.io.log.of("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["text"], "Error_Update_Status : Subscript out of range");
    EXPECT_EQ(g.status.gold, " Gold: 8");
    EXPECT_EQ(g.status.weapon, " Weapon:");
}

} // namespace
} // namespace gf::test
