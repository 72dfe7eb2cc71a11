#include "creatures/combat.h"
#include "creatures/creature_table.h"
#include "creatures/monster_behaviour.h"
#include "creatures/movement.h"
#include "fight_support.h"
#include "messages/messages.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

// The user walks up to a rat and fights it out while the monster and message ticks run,
// every draw scripted, as a player would see it on screen.
TEST(ScriptedFight, userWalksUpToRatAndKillsIt) {
    TestGame t;
    prepareFightLevel(t);
    Game& g = t.game;
    const int32_t u = addUser(t, 10, 10, 6, 15);
    g.Players(u).skill(kMeleeSkill).XPToRaise = 12;
    const int32_t rat = modPlayer_Add(g, 1, 13, 10);
    auto at = [&](float now) {
        t.io.clock.time = now;
        modMessage_Process(g);
    };
    auto draws = [&](std::initializer_list<float> rs) {
        for (float r : rs)
            t.io.random.queue(r);
    };
    auto forward = [&] { return modPlayer_Move(g, u, g.Players(u).Facing, true); };

    at(100.0f);
    EXPECT_TRUE(forward());
    at(100.05f);
    EXPECT_FALSE(forward());
    at(100.2f);
    EXPECT_TRUE(forward());
    EXPECT_EQ(g.Players(u).X, 12);

    at(100.5f); // the rat notices and strikes first, and the user parries
    draws({0.5f, 0.5f, 0.0f});
    modMonster_Process(g);
    EXPECT_EQ(g.Players(u).XP, 10);

    at(101.0f); // the user's first hit completes a skill improvement
    draws({0.5f, 0.5f, 0.5f});
    EXPECT_FALSE(forward());
    EXPECT_EQ(g.Players(rat).Life, 4);
    EXPECT_EQ(g.damage(1).Amount, 2);
    EXPECT_EQ(shownMessages(g), std::vector<std::string>{"Ana's Melee skill has improved to 16!"});

    at(101.5f); // the tired pair: the rat gets through
    draws({0.99f, 0.0f, 0.0f, 0.0f});
    modMonster_Process(g);
    EXPECT_EQ(g.Players(u).Life, 49);

    at(102.0f);
    EXPECT_FALSE(g.damage(1).InUse) << "damage numbers fade after 0.35 s";
    modPlayer_Process(g); // both fought: no regeneration, penalties cleared
    EXPECT_EQ(g.Players(u).Life, 49);
    draws({0.5f, 0.5f, 0.5f});
    forward();
    EXPECT_EQ(g.Players(rat).Life, 2);

    at(102.5f);
    draws({0.5f, 0.5f, 0.0f});
    modMonster_Process(g);

    at(103.0f);
    draws({0.5f, 0.5f, 0.5f});
    forward();

    EXPECT_FALSE(g.Players(rat).Active);
    EXPECT_EQ(g.MapPlayer(13, 10), 0);
    EXPECT_EQ(g.Items(g.MapItem(13, 10)).ID, FightItem::RatCarcass);
    const Player& ana = g.Players(u);
    EXPECT_EQ(ana.XP, 26);
    EXPECT_EQ(ana.SpendableXP, 13);
    EXPECT_EQ(ana.skill(kMeleeSkill).Value, 16);
    EXPECT_EQ(ana.skill(kMeleeSkill).XPToRaise, 96);
    int shown = 0;
    for (int i = 1; i <= kDamageNumbers; ++i)
        shown += g.damage(i).InUse ? 1 : 0;
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(g.damage(1).X, 13);
    EXPECT_EQ(g.damage(1).Amount, 2);

    at(103.2f); // over the carcass, which does not block
    EXPECT_TRUE(forward());
    EXPECT_EQ(g.Players(u).X, 13);
    EXPECT_EQ(t.io.sound.played, (std::vector<int>{3, 3, 6, 1, 2, 6, 7, 2, 1, 2, 6, 1, 2, 3}));
    EXPECT_TRUE(boxTexts(t).empty());
}

} // namespace
} // namespace gf::test
