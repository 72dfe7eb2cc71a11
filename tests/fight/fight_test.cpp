// Fights, the monsters' moves and the messages they leave.
#include "creatures/combat.h"
#include "creatures/creature_table.h"
#include "creatures/monster_behaviour.h"
#include "creatures/skills.h"
#include "items/equipment.h"
#include "items/item_table.h"
#include "messages/messages.h"
#include "render/status.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace gf::test {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

class Combat : public FightLevel {
protected:
    Creature& ratP() { return g.creatures(rat); }
    int32_t u = addUser(t, 10, 10, 6, 15), rat = addCreature(g, 1, 11, 10);
};

// The higher roll hits, a tie misses; an exhausted attacker stays at 0 stamina and rolls at a quarter.
TEST_F(Combat, higherRollHitsAndExhaustedAttackerRollsAtAQuarter) {
    // stamina before, attacker's melee, defender's melee, whether it hits
    const std::tuple<int32_t, int32_t, int32_t, bool> cases[] = {
        {1, 15, 15, false}, {1, 15, 14, true}, {0, 14, 3, true}, {0, 14, 4, false},
        {0, 10, 2, false},  {0, 10, 1, true},  {0, 6, 1, true}};
    for (const auto& [stamina, melee, against, hits] : cases) {
        FightGame f;
        const int32_t a = addUser(f.t, 10, 10, 6, melee), v = addCreature(f.g, 1, 11, 10);
        f.g.creatures(a).stamina = stamina;
        f.g.creatures(v).skill(kMeleeSkill).value = against;
        f.draws({0.5f, 0.5f, 0.0f});
        strike(f.g, a, v);
        EXPECT_EQ(std::pair(f.g.creatures(v).life < 6, f.g.creatures(a).stamina), std::pair(hits, 0))
            << "stamina " << stamina << ", " << melee << " against " << against;
    }
}

// A blow does 1 to the victim's life, never more; a second attack within a second costs nothing at all.
TEST_F(Combat, blowsAreCutBetweenOneAndTheVictimsLife) {
    give(t, u, 1, FightItem::Dagger);
    give(t, u, 2, FightItem::Club);
    user().weaponSlot = 1;
    give(t, rat, 1, FightItem::Armor1 + 4); // armour 10
    ratP().armourSlot = 1;
    draws({0.5f, 0.5f, 0.5f, 0.0f}); // dagger 3 against armour 5
    strike(g, u, rat);
    EXPECT_EQ(std::tuple(ratP().life, g.messages.damage(1).amount, user().xp), std::tuple(5, 1, 1));
    t.io.clock.time = 50.9f;
    strike(g, u, rat);
    EXPECT_EQ(std::tuple(user().stamina, ratP().stamina, ratP().combatPenalty, sounds()),
              std::tuple(99, 19, 5, std::vector<int>{1, 2}));

    t.io.clock.time = 51;
    std::tie(user().level, user().weaponSlot, ratP().life) = std::tuple(2, 2, 4);
    draws({0.5f, 0.5f, 0.5f, 0.5f}); // club 12 against armour 7
    strike(g, u, rat);
    const auto& hit = g.messages.damage(2);
    EXPECT_EQ(std::tuple(hit.amount, hit.x, hit.y, ratP().active, ratP().combatPenalty,
                         g.level.creatureAt(11, 10), idAt(g, 11, 10)),
              std::tuple(4, 11, 10, false, 0, 0, FightItem::RatCarcass));
    const Creature& p = user();
    EXPECT_EQ(std::tuple(p.skill(kMeleeSkill).xpToRaise, p.xp, p.spendableXp, p.combatPenalty, p.stamina),
              std::tuple(91, 9, 4, 10, 98));
    EXPECT_EQ(sounds(), (std::vector<int>{1, 2, 1, 2}));

    EXPECT_TRUE(reduceLife(g, addCreature(g, 2, 30, 30), 12));
    EXPECT_EQ(g.level.itemAt(30, 30), 0);
    g.catalogue.monsters(2).deadItem = 1;
    EXPECT_TRUE(reduceLife(g, addCreature(g, 2, 30, 30), 12));
    EXPECT_EQ(idAt(g, 30, 30), 1);
    const int32_t second = addCreature(g, 1, 12, 10), gold = addItem(g, ItemId::SmallGold, 12, 10);
    EXPECT_FALSE(reduceLife(g, second, 5));
    EXPECT_EQ(g.creatures(second).life, 1);
    EXPECT_TRUE(reduceLife(g, second, 1));
    EXPECT_EQ(g.level.itemAt(12, 10), gold);
}

// Parries teach the user, never monsters; a monster's blow sounds; the user's death empties the panel.
TEST_F(Combat, monsterAttacksAreParriedOrHurtAndKillTheUser) {
    const int32_t goblin = addCreature(g, 2, 9, 10);
    draws({0.0f, 0.5f, 0.0f});
    strike(g, goblin, u);
    EXPECT_EQ(std::tuple(user().life, user().xp, user().skill(kMeleeSkill).xpToRaise),
              std::tuple(50, 20, 80));
    draws({0.0f, 0.99f, 0.0f});
    strike(g, rat, goblin);
    EXPECT_EQ(std::pair(g.creatures(goblin).xp, g.creatures(goblin).skill(kMeleeSkill).value),
              std::pair(0, 12));

    t.io.clock.time = 52;
    refreshCreatures(g);
    draws({0.99f, 0.0f, 0.0f, 0.5f});
    strike(g, rat, u);
    EXPECT_EQ(std::tuple(user().life, g.messages.damage(1).x, user().xp), std::tuple(49, 10, 20));
    EXPECT_EQ(sounds(), (std::vector<int>{6, 6, 7, 2})); // the goblin has no sound
    EXPECT_EQ(ratP().nextAttackTime, 53.05f);            // monsters are spread a little in time

    t.io.clock.time = 54;
    user().life = 1;
    updateStatus(g);
    draws({0.99f, 0.0f, 0.0f, 0.0f});
    strike(g, rat, u);
    EXPECT_EQ(std::tuple(g.creatures.current, g.screen.status.life.value, g.creatures(u).active,
                         g.level.creatureAt(10, 10), g.level.itemAt(10, 10), boxTexts(t).size()),
              std::tuple(0, 0, false, 0, 0, 0u));
}

// Half of each grant is spendable; one level per grant, when the need reaches exactly 0.
TEST_F(Combat, experienceRaisesOneLevelPerGrant) {
    for (const auto& [before, after] : {std::pair{0, 2}, {1, 4}, {2, 4}}) {
        user().spendableXp = before;
        addExperience(g, u, 5);
        EXPECT_EQ(user().spendableXp, after) << before;
    }
    addExperience(g, u, 984);
    EXPECT_EQ(std::tuple(user().level, user().nextLevelXp), std::tuple(1, 1));
    addExperience(g, u, 2001);
    EXPECT_EQ(std::tuple(user().level, user().nextLevelXp, user().spendableXp), std::tuple(2, 1416, 1496));
    EXPECT_EQ(std::pair(g.messages.line(20).text, g.messages.line(20).color),
              (std::pair<std::string, int32_t>("Ana has gained level 2!", kGreen)));
    for (const auto& [level, need] : {std::pair{3, 2431}, {4, 4456}}) {
        addExperience(g, u, user().nextLevelXp);
        EXPECT_EQ(std::pair(user().level, user().nextLevelXp), std::pair(level, need));
    }
}

// Fighting worsens rolls until the refresh tick, which restores only those out of combat, within maxima.
TEST_F(Combat, penaltiesLastUntilRefreshWhichRestoresOnlyThoseOutOfCombat) {
    strike(g, rat, u);
    strike(g, addCreature(g, 2, 10, 11), u);
    EXPECT_EQ(std::tuple(user().combatPenalty, ratP().combatPenalty, user().inCombat),
              std::tuple(10, 5, true));
    // in combat; life, maximum, stamina, maximum; then life and stamina after the tick
    const std::tuple<bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t> cases[] = {
        {false, 40, 50, 90, 100, 41, 94},
        {false, 50, 50, 98, 100, 50, 100},
        {true, 40, 50, 90, 100, 40, 90},
        {false, 60, 50, 120, 100, 60, 120},
        {false, 10, 50, kMax - 2, kMax, 11, kMax}};
    for (const auto& [fought, life, maxLife, stamina, maxStamina, lifeAfter, staminaAfter] : cases) {
        Creature& p = user();
        std::tie(p.inCombat, p.combatPenalty, p.life, p.maxLife, p.stamina, p.maxStamina) =
            std::tuple(fought, 15, life, maxLife, stamina, maxStamina);
        refreshCreatures(g);
        EXPECT_EQ(std::tuple(p.life, p.stamina, p.inCombat, p.combatPenalty, ratP().combatPenalty),
                  std::tuple(lifeAfter, staminaAfter, false, 0, 0))
            << life << "/" << maxLife << " " << stamina << "/" << maxStamina;
    }
}

// Fields at the top of their range fail with a box rather than wrap.
TEST_F(Combat, overflowsAreReportedNotWrapped) {
    user().xp = kMax - 5;
    addExperience(g, u, 1000);
    std::tie(user().xp, user().level) = std::tuple(0, 300); // the level curve itself passes the top
    addExperience(g, u, 1000);
    user().level = 1;
    user().skill(kMeleeSkill).value = kMax;
    addSkillExperience(g, u, kMeleeSkill, 100, false);
    EXPECT_EQ(std::exchange(user().skill(kMeleeSkill).value, 15), kMax) << "a failed raise keeps the value";
    std::tie(user().xp, user().combatPenalty) = std::tuple(0, kMax - 2);
    strike(g, u, rat);
    std::tie(user().level, user().combatPenalty, user().nextAttackTime) = std::tuple(kMax / 2 + 1, 0, 0.0f);
    draws({0.5f, 0.5f, 0.5f}); // a hit of 2 pays twice the level
    strike(g, u, rat);
    ratP().life = -kMax;
    reduceLife(g, rat, 5);
    std::vector<std::string> expected;
    for (const char* failing : {"Player_Raise_XP", "Player_Raise_XP", "Skill_Raise_XP", "Player_Attack",
                                "Player_Attack", "Player_Reduce_Life"})
        expected.push_back("Error_mod" + std::string(failing) + " : Overflow");
    EXPECT_EQ(boxTexts(t), expected);
}

// Readying toggles the slot of its kind, damage winning over armour; an empty slot is an error.
TEST_F(Combat, readyingTogglesTheSlotOfItsKind) {
    using namespace FightItem; // the stick's damage and the first armour's value are 1
    for (const auto& [slot, id] : {std::pair{2, Stick}, {4, SpikedShield}, {5, Armor1}, {6, Pebble}})
        give(t, u, slot, id);
    const std::tuple<int32_t, int32_t, int32_t> steps[] = {{2, 2, 0}, {4, 4, 0}, {4, 0, 0},
                                                           {5, 0, 5}, {6, 0, 5}, {5, 0, 0}};
    for (const auto& [slot, weapon, armor] : steps) {
        ready(g, u, slot);
        EXPECT_EQ(std::pair(user().weaponSlot, user().armourSlot), std::pair(weapon, armor)) << slot;
    }
    ready(g, u, 3);
    EXPECT_EQ(boxTexts(t), Texts{"Error_modItem_Arm_Weapon : Subscript out of range"});
    EXPECT_EQ(sounds(), std::vector<int>(6, 12));
}

// A blow does its damage -2 to +1, at least 1; armour absorbs half to one less, halves to even.
TEST_F(Combat, weaponAndArmourDrawAroundTheirCatalogueValue) {
    ratP().level = 4;
    using namespace FightItem;
    // 'w' the user's weapon, 'm' the rat's, 'a' the user's armour (0 none); the draw; the value
    const std::tuple<char, int, float, int> cases[] = {
        {'w', Stick, 0.0f, 1},       {'w', Stick, 0.75f, 2},     {'w', Dagger, 0.99f, 4},
        {'w', Club, 0.5f, 12},       {'w', 0, 0.0f, 1},          {'w', 0, 0.99f, 2},
        {'m', 0, 0.0f, 4},           {'m', 0, 0.5f, 8},          {'a', Armor1, 0.99f, 0},
        {'a', Armor1 + 1, 0.99f, 2}, {'a', Armor1 + 2, 0.5f, 3}, {'a', Armor1 + 3, 0.5f, 4},
        {'a', Armor1 + 4, 0.0f, 5},  {'a', Armor1 + 4, 0.99f, 9}};
    for (const auto& [kind, item, r, value] : cases) {
        const int32_t who = kind == 'm' ? rat : u;
        if (item != 0) give(t, who, 1, static_cast<int16_t>(item));
        (kind == 'a' ? g.creatures(who).armourSlot : g.creatures(who).weaponSlot) = item != 0 ? 1 : 0;
        draws({r});
        EXPECT_EQ(kind == 'a' ? armourValue(g, who) : weaponDamage(g, who), value)
            << kind << " " << item << " r " << r;
    }
    user().armourSlot = 0;
    EXPECT_EQ(armourValue(g, u), 0);
    EXPECT_TRUE(boxTexts(t).empty());
}

// A roll stays within 10 of the value; a skill the creature lacks counts as 0 and learns nothing.
TEST_F(Combat, rollsStayWithinTenOfTheKnownValue) {
    for (const auto& [r, roll] :
         {std::pair{0.0f, 5}, {0.125f, 8}, {0.5f, 15}, {0.625f, 18}, {0.875f, 22}, {0.99999994f, 25}}) {
        draws({r});
        EXPECT_EQ(rollSkill(g, u, kMeleeSkill), roll) << r;
    }
    user().skill(2).value = 40;
    draws({0.5f});
    EXPECT_EQ(std::pair(skillValue(g, u, 2), rollSkill(g, u, 2)), std::pair(0, 0));
    addSkillExperience(g, u, 2, 500, true);
    EXPECT_EQ(std::tuple(user().skill(2).value, user().xp, skillValue(g, u, 11)), std::tuple(40, 0, 0));
    user().skill(kSkillCount).known = true; // the last row of the skill table is a skill like any other
    raiseSkill(g, u, kSkillCount);
    EXPECT_EQ(boxTexts(t), Texts{"Error_modSkill_Value : Subscript out of range"});
}

// An improvement costs its whole price; a grant improves once, dearer each time; monsters silently.
TEST_F(Combat, improvementsAreBoughtOrGrantedOneAtATime) {
    CreatureSkill& melee = user().skill(kMeleeSkill);
    for (const int32_t spendable : {99, 100}) {
        user().spendableXp = spendable;
        raiseSkill(g, u, kMeleeSkill);
    }
    EXPECT_EQ(std::tuple(melee.value, melee.xpToRaise, user().spendableXp, user().xp),
              std::tuple(16, 110, 0, 0));
    EXPECT_EQ(shownMessages(g),
              (Texts{"You need 100 spendable XP to raise Melee!", "Ana's Melee skill has improved to 16!"}));
    EXPECT_EQ(std::pair(g.messages.line(19).color, g.messages.line(20).color),
              (std::pair<int32_t, int32_t>(kYellow, kGreen)));
    addSkillExperience(g, u, kMeleeSkill, 109, true);
    EXPECT_EQ(std::pair(melee.value, melee.xpToRaise), std::pair(16, 1));
    addSkillExperience(g, u, kMeleeSkill, 500, true);
    EXPECT_EQ(std::tuple(melee.value, melee.raises, melee.xpToRaise, user().xp), std::tuple(17, 2, 130, 609));
    EXPECT_EQ(shownMessages(g).back(), "Ana's Melee skill has improved to 17!");
    while (melee.raises < 10)
        addSkillExperience(g, u, kMeleeSkill, melee.xpToRaise, false);
    EXPECT_EQ(std::pair(melee.value, melee.xpToRaise), std::pair(25, 694));
    addSkillExperience(g, rat, kMeleeSkill, 100, false);
    EXPECT_EQ(ratP().skill(kMeleeSkill).value, 6);
    EXPECT_EQ(shownMessages(g).size(), 11u);
}

// Twenty lines (5 s) and damage numbers (0.35 s) are kept, lines scroll over expired ones; the log keeps
// the last thousand lines, numbered for the whole run, so a view can tell what is new.
TEST(Messages, linesAndDamageNumbersFillTheirTablesAndExpire) {
    TestGame t;
    Game& g = t.game;
    t.io.clock.time = 100;
    for (int i = 1; i <= 21; ++i) {
        addMessage(g, "line " + std::to_string(i), static_cast<int32_t>(kGreen));
        addDamageMessage(g, i, i, i);
        t.io.clock.time = 100.2f;
    }
    EXPECT_EQ(g.messages.line(1).text + ", " + g.messages.line(20).text, "line 2, line 21");
    const auto& hit = g.messages.damage(1);
    EXPECT_EQ(std::pair(hit.amount, g.messages.damage(20).amount), std::pair(1, 20));
    for (const auto& [now, kept] : {std::pair{100.35f, true}, {100.4f, false}}) {
        t.io.clock.time = now;
        ageMessages(g);
        EXPECT_EQ(std::pair(hit.inUse, g.messages.damage(2).inUse), std::pair(kept, true)) << now;
    }
    addDamageMessage(g, 7, 8, 42);
    EXPECT_EQ(std::tuple(hit.x, hit.y, hit.amount, hit.time), std::tuple(7, 8, 42, 100.4f));

    for (const auto& [now, shown] : {std::pair{105.2f, 20u}, {105.25f, 0u}}) {
        t.io.clock.time = now;
        ageMessages(g);
        EXPECT_EQ(shownMessages(g).size(), shown) << now;
    }
    EXPECT_EQ(std::pair(g.messages.line(20).text, g.messages.line(20).color), std::pair(std::string(), 0));
    addMessage(g, "new", static_cast<int32_t>(kBlue));
    EXPECT_EQ(std::tuple(g.messages.line(19).inUse, g.messages.line(20).color, g.messages.line(20).time),
              std::tuple(false, static_cast<int32_t>(kBlue), 105.25f));
    EXPECT_EQ(shownMessages(g), Texts{"new"});
    // The log keeps what the view forgot, oldest first, in its colours.
    MessageLog& log = g.messages.log;
    ASSERT_EQ(log.lines().size(), 22u);
    EXPECT_EQ(std::tuple(log.lines().front().text, log.lines().back().text, log.lines().back().color),
              std::tuple("line 1", "new", static_cast<int32_t>(kBlue)));
    for (int i = 22; i < 1005; ++i)
        log.add("line " + std::to_string(i), i);
    EXPECT_EQ(std::tuple(log.lines().size(), log.first(), log.end(), log.line(5).text, log.line(1004).color),
              std::tuple(1000u, 5u, 1005u, "line 6", 1004));
    log.clear();
    log.add("fresh", 0);
    EXPECT_EQ(std::tuple(log.lines().size(), log.first(), log.line(1005).text),
              std::tuple(1u, 1005u, "fresh"));
}

class Monsters : public FightLevel {};

// A rat hunts the user it sees, strikes when next to it, else goes home; a blocked step retries once.
TEST_F(Monsters, huntsWhatItSeesStrikesWhenAdjacentElseGoesHome) {
    // user's cell; a wall at 15,10; a goblin in the way at 13,10, and the draw; rat's end and facing; penalty
    const std::tuple<int32_t, int32_t, bool, bool, float, int32_t, int32_t, int16_t, int32_t> cases[] = {
        {17, 10, false, false, 0, 13, 10, 6, 0},   {18, 10, false, false, 0, 11, 10, 4, 0},
        {17, 10, true, false, 0, 11, 10, 4, 0},    {13, 11, false, false, 0, 12, 10, 3, 5},
        {12, 11, false, false, 0, 12, 10, 2, 5},   {11, 9, false, false, 0, 12, 10, 7, 5},
        {15, 10, false, true, 0.7f, 13, 11, 3, 0}, {15, 10, false, true, 0.3f, 13, 9, 9, 0}};
    for (const auto& [userX, userY, wall, blocker, r, ratX, ratY, facing, penalty] : cases) {
        FightGame f;
        const int32_t u = addUser(f.t, userX, userY);
        const int32_t rat = addCreature(f.g, 1, 12, 10);
        f.g.creatures(rat).homeX = 10;
        if (wall) addItem(f.g, ItemId::StoneWall, 15, 10);
        if (blocker) f.g.creatures(addCreature(f.g, 2, 13, 10)).sightRange = 0; // stays at home, in the way
        if (blocker) f.draws({r});
        moveMonsters(f.g);
        const Creature& m = f.g.creatures(rat);
        EXPECT_EQ(
            std::tuple(m.x, m.y, m.facing, f.g.level.creatureAt(m.x, m.y), f.g.creatures(u).combatPenalty),
            std::tuple(ratX, ratY, facing, rat, penalty))
            << "user at " << userX << "," << userY << (wall ? " behind a wall" : "") << " draw " << r;
    }
}

// Ticks visit the table upward and downward in turn, so neither end always moves first.
TEST_F(Monsters, visitingOrderAlternates) {
    draw(g, 11, 9, {"X", "", "X"});
    for (const int32_t winner : {1, 2, 1}) {
        for (const int32_t x : {10, 12}) // both head home to 11,10
            g.creatures(addCreature(g, 1, x, 10)).homeX = 11;
        moveMonsters(g);
        EXPECT_EQ(g.level.creatureAt(11, 10), winner);
        removeCreature(g, 1);
        removeCreature(g, 2);
    }
}

// Once one monster has killed the user's creature, the rest of the tick sends monsters home.
TEST_F(Monsters, userKilledMidTickLeavesOthersAlone) {
    const int32_t u = addUser(t, 10, 10);
    g.creatures(u).life = 1;
    const int32_t first = addCreature(g, 1, 9, 10);
    const int32_t second = addCreature(g, 1, 11, 10);
    draws({0.99f, 0.0f, 0.0f, 0.0f});
    moveMonsters(g);
    EXPECT_EQ(std::tuple(g.creatures.current, g.creatures(first).nextAttackTime > 0,
                         g.creatures(second).nextAttackTime),
              std::tuple(0, true, 0.0f));
    moveMonsters(g);
    EXPECT_TRUE(boxTexts(t).empty());
}

} // namespace
} // namespace gf::test
