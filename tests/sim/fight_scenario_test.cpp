#include "sim_runner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace gf::test {
namespace {

std::string script(const std::string& name) {
    std::ifstream in(std::string(GLOAMFELL_SOURCE_TESTS_DIR) + "/sim/scripts/" + name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A fight as a new player would have it: damage numbers while they show, experience as the
// blows and parries earn it, and the rat's carcass where it fell.
TEST(FightScenario, firstLevelRatFoughtToTheDeath) {
    const SimRun run = runSim(GLOAMFELL_DATA_DIR, script("fight_murkhol1.script") + "dump\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto final = run.lastDump();
    const int me = final["CurrentPlayer"];
    ASSERT_GT(me, 0) << "the player survives a rat";
    const auto ann = final["Players"][me - 1];

    int hitsByAnn = 0;
    bool damageShown = false;
    for (const auto& line : run.lines) {
        if (!line.contains("dump")) continue;
        for (const auto& d : line["dump"]["Damages"])
            damageShown |= d["InUse"] && d["Amount"] > 0;
    }
    std::vector<int> sounds;
    for (const auto& e : run.events("sound"))
        sounds.push_back(e["number"]);
    for (std::size_t i = 0; i + 1 < sounds.size(); ++i)
        if (sounds[i] == 1 && sounds[i + 1] == 2) ++hitsByAnn; // swish, then the punch of a hit
    EXPECT_TRUE(damageShown);
    EXPECT_GT(hitsByAnn, 0);

    // Each hit earns level x damage, each parried blow the rat's level x 10; skill experience the same.
    const int xp = ann["XP"];
    EXPECT_GT(xp, 0);
    EXPECT_NEAR(ann["SpendableXP"].get<double>(), xp / 2.0, 2.0) << "half of each grant, rounded";
    EXPECT_EQ(ann["Skill"][0]["XPToRaise"].get<int>(), 100 - xp) << "no improvement yet below 100";

    bool carcass = false;
    for (const auto& item : final["Items"])
        carcass |= item["ID"] == 43 && item["X"] == 11 && item["Y"] == 13;
    EXPECT_TRUE(carcass) << "the rat's carcass lies where it died";
    for (const auto& p : final["Players"])
        EXPECT_FALSE(p["Active"] && p["X"] == 11 && p["Y"] == 13) << "the rat's entry is freed";
}

} // namespace
} // namespace gf::test
