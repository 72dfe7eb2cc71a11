// The side panel's texts and the death animation.
#include "draw_scene.h"
#include "render/death.h"
#include "render/status.h"
#include "test_game.h"
#include "util/text.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace gf::test {
namespace {

// The panel as text: labels, skill rows (+ before a known skill's), carry boxes ("slot:tile", R readied).
Texts panel(const StatusPanel& s) {
    Texts out{s.name,        s.life.text,   s.stamina.text, s.level,  s.xp,
              s.nextLevelXP, s.spendableXP, s.gold,         s.weapon, s.armor};
    for (const SkillRow& r : s.skills)
        out.push_back((r.known ? "+" : "") + r.name + "|" + r.nameTooltip + "|" + r.value + "|" +
                      r.valueTooltip);
    for (const CarryBox& c : s.carry)
        out.push_back(std::to_string(c.slot) + (c.filled ? ":" + std::to_string(c.tile) : "") +
                      (c.readied ? "R" : ""));
    return out;
}

// Each label shows its value; known skills fill the rows in order; boxes follow the scroll; death keeps it.
TEST(StatusPanel, showsTheUsersCreature) {
    TestGame t;
    Game& g = t.game;
    scene::prepare(g);
    g.creatures.current = addCreature(g, 0, 50, 50);
    Creature& p = g.creatures(g.creatures.current);
    g.catalogue.skills[0] = SkillInfo{"Melee", "Fighting hand to hand"};
    g.catalogue.skills[2] = SkillInfo{"Lore", "Knowing old things"};
    g.screen.status.skills[2] = SkillRow{true, " Old", "old tip", "9 ", "1 XP needed"};
    std::tie(p.skill(1), p.skill(2), p.skill(3)) = std::tuple(
        CreatureSkill{true, 15, 0, 110}, CreatureSkill{false, 99, 0, 5}, CreatureSkill{true, 4, 1, 230});
    p.name = fixedName("  Ann");
    std::tie(p.life, p.stamina, p.level, p.xp, p.nextLevelXp, p.spendableXp, p.gold) =
        std::tuple(37, 0, 3, 2500, 2431, 40, 17);
    updateStatus(g);
    const Texts before = panel(g.screen.status);
    EXPECT_EQ(Texts(before.begin(), before.begin() + 10),
              (Texts{"Ann", "37/50", "0/100", " Level: 3", " XP: 2500", " Next Level XP: 2431",
                     " Spendable XP: 40", " Gold: 17", " Weapon: Bare Hands", " Armor: none"}));
    EXPECT_EQ(Texts(before.begin() + 10, before.end()),
              (Texts{"+ Melee|Fighting hand to hand|15 |110 XP needed",
                     "+ Lore|Knowing old things|4 |230 XP needed", "|||", "|||", "|||", "1", "2", "3", "4",
                     "5", "6", "7", "8"}));
    EXPECT_EQ(std::make_pair(g.screen.status.life.value, g.screen.status.life.max), std::make_pair(37, 50));

    g.catalogue.items(28).image = 123;
    for (const auto& [slot, id] : {std::pair{1, 26}, {3, 28}, {5, 27}})
        p.carry(slot) = Item{true, static_cast<int16_t>(id), 0, 0, 0};
    std::tie(p.weaponSlot, p.armourSlot) = std::pair(1, 5);
    for (int k = 1; k <= kSkillCount; ++k)
        p.skill(k) = CreatureSkill{true, k, 0, 0};
    updateStatus(g);
    Texts after = panel(g.screen.status);
    EXPECT_EQ(Texts(after.begin() + 8, after.end()),
              (Texts{" Weapon: dagger", " Armor: soft leather armor",
                     "+ Melee|Fighting hand to hand|1 |0 XP needed", "+ ||2 |0 XP needed",
                     "+ Lore|Knowing old things|3 |0 XP needed", "+ ||4 |0 XP needed", "+ ||5 |0 XP needed",
                     "1:26R", "2", "3:23", "4", "5:27R", "6", "7", "8"}));
    g.screen.carryScroll = 2;
    updateCarry(g);
    after = panel(g.screen.status);
    EXPECT_EQ(Texts(after.end() - 8, after.end()), (Texts{"2", "3:23", "4", "5:27R", "6", "7", "8", "9"}));
    p.life = 12;
    g.creatures.current = 0;
    updateStatus(g), updateSkills(g);
    EXPECT_EQ(panel(g.screen.status), after);
    EXPECT_EQ(boxTexts(t), Texts{});
}

using Cell = std::pair<int, int>;
using Frame = std::tuple<std::size_t, bool, Cell, Cell>; // red cells, the centre red, the red span

class FrameCanvas : public RecordingCanvas {
public:
    void present() override {
        std::set<Cell> red;
        for (const Op& o : ops)
            if (o.kind == "box" && o.color == kRed && o.x2 == o.x + 31 && o.y2 == o.y + 31)
                red.insert({o.x, o.y});
        if (red.empty()) red.insert({0, 0}); // a frame without red still shows
        frames.emplace_back(red.size(), red.count({7 * 32, 7 * 32}) == 1, *red.begin(), *red.rbegin());
        RecordingCanvas::present();
    }
    std::vector<Frame> frames;
};

class PauseClock : public ScriptedClock {
public:
    void pause(float seconds) override { pauses.push_back(seconds); }
    std::vector<float> pauses;
};

// A 480 x 416 view (halves 8 and 6) turns red in 9 frames, one ring each, drawn without showing.
TEST(playDeath, redClosesInOneRingPerFrame) {
    TestGame t;
    FrameCanvas canvas;
    PauseClock clock;
    Game g{Platform{clock, t.io.random, t.io.window, t.io.sound, canvas}, t.folder.string()};
    canvas.resize(480, 416);
    scene::prepare(g);
    EXPECT_EQ(playDeath(g), 9);
    EXPECT_EQ(canvas.presents, 9);
    EXPECT_EQ(clock.pauses, std::vector<float>(9, 0.01f));
    std::vector<Frame> expected;
    for (int k = 8; k >= 0; --k)
        expected.emplace_back(18 * 18 - (k == 0 ? 0 : (2 * k - 1) * (2 * k - 1)), k == 0, Cell{-32, -32},
                              Cell{512, 512});
    EXPECT_EQ(canvas.frames, expected);
}

} // namespace
} // namespace gf::test
