#include "creatures/combat.h"
#include "creatures/creature_table.h"
#include "fight_support.h"
#include "items/item_table.h"
#include "render/status.h"

#include <gtest/gtest.h>

#include <limits>

namespace gf::test {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

class Combat : public FightLevel {
protected:
    void SetUp() override {
        FightLevel::SetUp();
        u = addUser(t, 10, 10, 6, 15);
        rat = modPlayer_Add(g, 1, 11, 10);
    }
    Player& user() { return g.Players(u); }
    Player& ratP() { return g.Players(rat); }
    void queue(std::initializer_list<float> rs) {
        for (float r : rs)
            t.io.random.queue(r);
    }

    int32_t u = 0;
    int32_t rat = 0;
};

// Within a second of its last attack a creature cannot attack at all: no rolls, no stamina, no sound.
TEST_F(Combat, secondAttackWithinTheSecondDoesNothing) {
    modPlayer_Attack(g, u, rat);
    const std::size_t sounds = t.io.sound.played.size();
    t.io.clock.time = 50.9f;
    modPlayer_Attack(g, u, rat);
    EXPECT_EQ(user().Stamina, 99);
    EXPECT_EQ(ratP().Stamina, 19);
    EXPECT_EQ(ratP().CombatPenalty, 5);
    EXPECT_EQ(t.io.sound.played.size(), sounds);
    t.io.clock.time = 51;
    modPlayer_Attack(g, u, rat);
    EXPECT_EQ(user().Stamina, 98);
}

// A fighter out of stamina stays at 0 and rolls at a quarter, halves to even.
TEST_F(Combat, exhaustedAttackerRollsAtAQuarter) {
    const std::pair<int32_t, int32_t> cases[] = {{14, 4}, {10, 2}, {6, 2}};
    for (const auto& [raw, quarter] : cases) {
        for (const bool hits : {true, false}) {
            TestGame fresh;
            prepareFightLevel(fresh);
            const int32_t user = addUser(fresh, 10, 10, 6, raw);
            const int32_t victim = modPlayer_Add(fresh.game, 1, 11, 10);
            fresh.game.Players(user).Stamina = 0;
            fresh.game.Players(victim).skill(kMeleeSkill).Value = hits ? quarter - 1 : quarter;
            for (float r : {0.5f, 0.5f, 0.0f})
                fresh.io.random.queue(r);
            modPlayer_Attack(fresh.game, user, victim);
            EXPECT_EQ(fresh.game.Players(user).Stamina, 0);
            EXPECT_EQ(fresh.game.Players(victim).Life < 6, hits)
                << raw << " against " << (hits ? quarter - 1 : quarter);
        }
    }
}

// A hit bigger than the victim's life does exactly its life, kills it and pays level times damage.
TEST_F(Combat, killingHitIsCutToRemainingLife) {
    user().Level = 2;
    give(t, u, 1, FightItem::Club);
    user().WeaponSlot = 1;
    ratP().Life = 4;
    queue({0.5f, 0.5f, 0.5f});
    modPlayer_Attack(g, u, rat);
    EXPECT_EQ(g.damage(1).Amount, 4);
    EXPECT_EQ(g.damage(1).X, 11);
    EXPECT_FALSE(g.Players(rat).Active);
    EXPECT_EQ(g.Players(rat).CombatPenalty, 0) << "a freed entry stays blank";
    EXPECT_EQ(g.MapPlayer(11, 10), 0);
    EXPECT_EQ(g.Items(g.MapItem(11, 10)).ID, FightItem::RatCarcass);
    EXPECT_EQ(user().skill(kMeleeSkill).XPToRaise, 92);
    EXPECT_EQ(user().XP, 8);
    EXPECT_EQ(user().SpendableXP, 4);
    EXPECT_EQ(user().CombatPenalty, 5);
    EXPECT_EQ(t.io.sound.played, (std::vector<int>{1, 2}));
}

// Armour beyond the weapon's damage still lets 1 through.
TEST_F(Combat, armourCannotStopAHitEntirely) {
    give(t, u, 1, FightItem::Dagger);
    user().WeaponSlot = 1;
    give(t, rat, 1, FightItem::Armor10);
    ratP().ArmorSlot = 1;
    queue({0.5f, 0.5f, 0.5f, 0.0f}); // dagger 3 against armour 5
    modPlayer_Attack(g, u, rat);
    EXPECT_EQ(ratP().Life, 5);
    EXPECT_EQ(g.damage(1).Amount, 1);
}

// A tie is a miss, and a miss by the user earns nothing.
TEST_F(Combat, tieIsAMiss) {
    ratP().skill(kMeleeSkill).Value = 15;
    queue({0.5f, 0.5f});
    modPlayer_Attack(g, u, rat);
    EXPECT_EQ(ratP().Life, 6);
    EXPECT_EQ(user().XP, 0);
    EXPECT_FALSE(g.damage(1).InUse);
    EXPECT_EQ(t.io.sound.played, std::vector<int>{1});
}

// A monster's blow sounds its own cry, the user's "ow" and the punch.
TEST_F(Combat, monsterHitOnUserPlaysItsSounds) {
    queue({0.99f, 0.0f, 0.0f, 0.5f});
    modPlayer_Attack(g, rat, u);
    EXPECT_EQ(user().Life, 49);
    EXPECT_EQ(g.damage(1).X, 10);
    EXPECT_EQ(user().XP, 0);
    EXPECT_EQ(t.io.sound.played, (std::vector<int>{6, 7, 2}));
    EXPECT_EQ(ratP().NextAttackTime, 51.05f); // monsters are spread a little in time
}

// Parrying a monster teaches the user its level times 10; monsters parrying each other learn nothing.
TEST_F(Combat, parryPaysOnlyTheUser) {
    const int32_t goblin = modPlayer_Add(g, 2, 9, 10);
    queue({0.0f, 0.5f, 0.0f});
    modPlayer_Attack(g, goblin, u);
    EXPECT_EQ(user().Life, 50);
    EXPECT_EQ(user().XP, 20);
    EXPECT_EQ(user().skill(kMeleeSkill).XPToRaise, 80);
    EXPECT_TRUE(t.io.sound.played.empty()) << "the goblin has no sound";

    queue({0.0f, 0.99f, 0.0f});
    modPlayer_Attack(g, rat, goblin);
    EXPECT_EQ(g.Players(goblin).XP, 0);
    EXPECT_EQ(g.Players(goblin).skill(kMeleeSkill).Value, 12);
}

// The user's death frees its entry and leaves the game without a current player, the panel at 0 life.
TEST_F(Combat, userDeathClearsCurrentPlayer) {
    user().Life = 1;
    Update_Status(g);
    queue({0.99f, 0.0f, 0.0f, 0.0f});
    modPlayer_Attack(g, rat, u);
    EXPECT_EQ(g.CurrentPlayer, 0);
    EXPECT_EQ(g.status.life.value, 0) << "the panel shows the last blow";
    EXPECT_FALSE(g.Players(u).Active);
    EXPECT_EQ(g.MapPlayer(10, 10), 0);
    EXPECT_EQ(g.MapItem(10, 10), 0);
    EXPECT_TRUE(boxTexts(t).empty());
}

// A monster leaves its dead item only when it has one and the cell is free.
TEST_F(Combat, deadItemNeedsAnItemAndAFreeCell) {
    const int32_t goblin = modPlayer_Add(g, 2, 30, 30);
    EXPECT_TRUE(modPlayer_Reduce_Life(g, goblin, 12));
    EXPECT_EQ(g.MapItem(30, 30), 0);
    g.MonsterTypes(2).DeadItem = 1; // the lowest catalogue number is an item like any other
    EXPECT_TRUE(modPlayer_Reduce_Life(g, modPlayer_Add(g, 2, 30, 30), 12));
    ASSERT_NE(g.MapItem(30, 30), 0);
    EXPECT_EQ(g.Items(g.MapItem(30, 30)).ID, 1);

    const int32_t gold = modItem_Add(g, ItemId::SmallGold, 11, 10);
    EXPECT_FALSE(modPlayer_Reduce_Life(g, rat, 5));
    EXPECT_EQ(ratP().Life, 1);
    EXPECT_TRUE(modPlayer_Reduce_Life(g, rat, 1));
    EXPECT_EQ(g.MapItem(11, 10), gold);
}

// Half of each grant becomes spendable, rounded half to even; a fresh creature reaches level 2 with
// exactly 1000, one level per grant, and each next level needs more.
TEST_F(Combat, experienceRaisesOneLevelPerGrant) {
    for (const auto& [before, after] : {std::pair{0, 2}, {1, 4}, {2, 4}}) {
        user().SpendableXP = before;
        modPlayer_Raise_XP(g, u, 5);
        EXPECT_EQ(user().SpendableXP, after) << before;
    }
    user().XP = user().SpendableXP = 0;
    user().NextLevelXP = 1000;
    modPlayer_Raise_XP(g, u, 999);
    EXPECT_EQ(std::tuple(user().Level, user().NextLevelXP), std::tuple(1, 1));
    modPlayer_Raise_XP(g, u, 2001);
    EXPECT_EQ(std::tuple(user().Level, user().NextLevelXP, user().SpendableXP), std::tuple(2, 1416, 1500));
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"Ana has gained level 2!"});
    EXPECT_EQ(g.message(20).Color, static_cast<int32_t>(kGreen));
    int32_t previous = 1416;
    for (const int32_t level : {3, 4}) {
        modPlayer_Raise_XP(g, u, user().NextLevelXP);
        EXPECT_EQ(user().Level, level);
        EXPECT_GT(user().NextLevelXP, previous);
        previous = user().NextLevelXP;
    }
    EXPECT_EQ(user().NextLevelXP, 4456);
}

// Every attack a creature takes part in worsens its next rolls until the refresh tick, which gives 1 life
// and up to 4 stamina to those who did not fight, never past the maximum.
TEST_F(Combat, penaltiesLastUntilRefreshWhichRestoresOnlyThoseOutOfCombat) {
    const int32_t goblin = modPlayer_Add(g, 2, 10, 11);
    user().Life = 1000;
    modPlayer_Attack(g, rat, u);
    modPlayer_Attack(g, goblin, u);
    EXPECT_EQ(std::tuple(user().CombatPenalty, ratP().CombatPenalty, user().InCombat),
              std::tuple(10, 5, true));
    modPlayer_Process(g);
    EXPECT_EQ(std::tuple(user().CombatPenalty, ratP().CombatPenalty, user().InCombat),
              std::tuple(0, 0, false));

    struct Case {
        bool inCombat;
        int32_t life, maxLife, stamina, maxStamina;
        int32_t lifeAfter, staminaAfter;
    };
    const Case cases[] = {
        {false, 40, 50, 90, 100, 41, 94},   {false, 50, 50, 98, 100, 50, 100},
        {true, 40, 50, 90, 100, 40, 90},    {false, 10, 50, kMax - 2, kMax, 11, kMax},
        {false, 60, 50, 120, 100, 60, 120},
    };
    for (const Case& c : cases) {
        Player& p = user();
        p.InCombat = c.inCombat;
        p.CombatPenalty = 15;
        p.Life = c.life;
        p.MaxLife = c.maxLife;
        p.Stamina = c.stamina;
        p.MaxStamina = c.maxStamina;
        modPlayer_Process(g);
        EXPECT_EQ(p.Life, c.lifeAfter) << c.life << "/" << c.maxLife;
        EXPECT_EQ(p.Stamina, c.staminaAfter) << c.stamina << "/" << c.maxStamina;
        EXPECT_FALSE(p.InCombat);
        EXPECT_EQ(p.CombatPenalty, 0);
    }
    EXPECT_TRUE(boxTexts(t).empty());
}

// Fields at the top of their range fail with a box rather than wrap.
TEST_F(Combat, overflowsAreReportedNotWrapped) {
    struct Case {
        const char* what;
        int32_t Player::*field;
        int32_t value;
        bool onRat;
        std::string action;
    };
    const Case cases[] = {
        {"experience", &Player::XP, kMax - 5, false, "Raise_XP"},
        {"level curve", &Player::Level, 300, false, "Raise_XP"},
        {"combat penalty", &Player::CombatPenalty, kMax - 2, false, "Attack"},
        {"experience for a hit", &Player::Level, kMax / 2 + 1, false, "Attack"},
        {"life", &Player::Life, -kMax, true, "Reduce_Life"},
    };
    for (const Case& c : cases) {
        TestGame fresh;
        prepareFightLevel(fresh);
        Game& fg = fresh.game;
        const int32_t user = addUser(fresh, 10, 10);
        const int32_t victim = modPlayer_Add(fg, 1, 11, 10);
        fg.Players(c.onRat ? victim : user).*c.field = c.value;
        for (float r : {0.5f, 0.5f, 0.5f})
            fresh.io.random.queue(r);
        if (c.action == "Raise_XP") modPlayer_Raise_XP(fg, user, 1000);
        if (c.action == "Attack") modPlayer_Attack(fg, user, victim);
        if (c.action == "Reduce_Life") modPlayer_Reduce_Life(fg, victim, 5);
        EXPECT_EQ(boxTexts(fresh), std::vector<std::string>{"Error_modPlayer_" + c.action + " : Overflow"})
            << c.what;
    }
}

} // namespace
} // namespace gf::test
