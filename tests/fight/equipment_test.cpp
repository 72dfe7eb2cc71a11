#include "creatures/creature_table.h"
#include "fight_support.h"
#include "items/equipment.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

class Equipment : public FightLevel {
protected:
    void SetUp() override {
        FightLevel::SetUp();
        u = addUser(t, 10, 10);
    }
    Player& user() { return g.Players(u); }

    int32_t u = 0;
};

// Readying is a toggle: another weapon replaces the readied one, the same one is put away; damage wins
// over armour, and the ready sound plays even for an item that is neither.
TEST_F(Equipment, readyingTogglesTheSlotOfItsKind) {
    give(t, u, 2, FightItem::Dagger);
    give(t, u, 4, FightItem::SpikedShield);
    give(t, u, 5, FightItem::SoftLeather);
    give(t, u, 6, FightItem::Pebble);
    const std::tuple<int32_t, int32_t, int32_t> steps[] = {{2, 2, 0}, {4, 4, 0}, {4, 0, 0},
                                                           {5, 0, 5}, {6, 0, 5}, {5, 0, 0}};
    for (const auto& [slot, weapon, armor] : steps) {
        modItem_Arm_Weapon(g, u, slot);
        EXPECT_EQ(std::tuple(user().WeaponSlot, user().ArmorSlot), std::tuple(weapon, armor)) << slot;
    }
    EXPECT_EQ(t.io.sound.played, std::vector<int>(6, 12));
}

// An empty slot has no catalogue entry: an error box, no sound, nothing readied.
TEST_F(Equipment, readyingEmptySlotShowsErrorBox) {
    modItem_Arm_Weapon(g, u, 3);
    EXPECT_EQ(boxTexts(t), std::vector<std::string>{"Error_modItem_Arm_Weapon : Subscript out of range"});
    EXPECT_TRUE(t.io.sound.played.empty());
}

// A blow does the catalogue damage -2 to +1, never below 1; bare hands 1 or 2, times a monster's level.
TEST_F(Equipment, weaponDamageDrawsAroundCatalogueDamage) {
    const int32_t monster = modPlayer_Add(g, 1, 20, 20);
    g.Players(monster).Level = 4;
    struct Case {
        int32_t creature;
        int16_t weapon; // 0 = bare hands
        float r;
        int32_t damage;
    };
    const Case cases[] = {
        {u, FightItem::Stick, 0.0f, 1},
        {u, FightItem::Stick, 0.75f, 2},
        {u, FightItem::Dagger, 0.99f, 4},
        {u, FightItem::Club, 0.5f, 12},
        {u, 0, 0.0f, 1},
        {u, 0, 0.99f, 2},
        {monster, 0, 0.0f, 4},
        {monster, 0, 0.5f, 8},
    };
    for (const Case& c : cases) {
        Player& p = g.Players(c.creature);
        p.WeaponSlot = 0;
        if (c.weapon != 0) {
            give(t, c.creature, 1, c.weapon);
            p.WeaponSlot = 1;
        }
        t.io.random.queue(c.r);
        EXPECT_EQ(modItem_Weapon_Damage(g, c.creature), c.damage)
            << c.creature << " " << c.weapon << " r " << c.r;
    }
}

// Armour absorbs from half its value to one less; odd values round to even, so armour 1 absorbs nothing.
TEST_F(Equipment, armorAbsorbsFromHalfItsValue) {
    struct Case {
        int16_t armor;
        float r;
        int32_t absorbed;
    };
    const Case cases[] = {
        {FightItem::Armor1, 0.99f, 0}, {FightItem::Armor3, 0.99f, 2}, {FightItem::Armor4, 0.5f, 3},
        {FightItem::Armor5, 0.5f, 4},  {FightItem::Armor10, 0.0f, 5}, {FightItem::Armor10, 0.99f, 9},
    };
    for (const Case& c : cases) {
        give(t, u, 1, c.armor);
        user().ArmorSlot = 1;
        t.io.random.queue(c.r);
        EXPECT_EQ(modItem_Armor(g, u), c.absorbed) << c.armor << " r " << c.r;
    }
    user().ArmorSlot = 0;
    EXPECT_EQ(modItem_Armor(g, u), 0);
}

} // namespace
} // namespace gf::test
