// The balance tool against the game itself (the driver's fights, the skill ladder) and the shipped curve.
#include "app/new_game.h"
#include "arena.hpp"
#include "bounds.hpp"
#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "map/map_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace gloamfell::balance;
namespace fs = std::filesystem;

namespace {

const std::string kData = GLOAMFELL_DATA_DIR;

fs::path scratch(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("gloamfell-balance-test-" + std::to_string(::getpid())) / name;
    fs::remove_all(dir);
    return fs::create_directories(dir), dir;
}

// A few whole descents, for creatures that really arrived somewhere.
const std::vector<DescentOutcome>& sampleDescents() {
    static const std::vector<DescentOutcome> outcomes = [] {
        const fs::path folder = scratch("sample");
        std::vector<DescentOutcome> all;
        for (uint64_t seed = 1; seed <= 8; ++seed)
            all.push_back(playDescent(kData, folder.string(), levelNames(readDescent(kData)), seed, {}));
        return all;
    }();
    return outcomes;
}

const Arrival& deepestArrival(std::size_t level) {
    for (std::size_t l = level + 1; l-- > 0;)
        for (const DescentOutcome& o : sampleDescents())
            if (!o.levels[l].arrivals.empty()) return o.levels[l].arrivals.front();
    throw std::runtime_error("no descent arrived anywhere");
}

// Plays the saved meeting through the real driver, the same ticks and keys as the arena's fight.
bool wonThroughTheDriver(const std::string& saved, uint64_t seed, int phase, const fs::path& work) {
    constexpr int kTicks = 1500;
    const fs::path script = work / "fight.script";
    {
        std::ofstream out(script);
        out << std::setprecision(9);
        out << "view 32 32\nanswer menu load\nanswer file " << saved << "\nstartup\nseed " << seed << "\n";
        for (int tick = 1; tick <= kTicks; ++tick) {
            out << "clock " << static_cast<double>(FightTiming::timeAt(tick)) << "\n";
            if (FightTiming::monsters(tick, phase)) out << "tick 1\n";
            out << "tick 2\n";
            if (FightTiming::refresh(tick, phase)) out << "tick 3\n";
            out << "key A\n";
        }
        out << "dump\n";
    }
    const fs::path output = work / "fight.out";
    const std::string command =
        std::string(GLOAMFELL_SIM) + " " + kData + " " + script.string() + " > " + output.string();
    if (std::system(command.c_str()) < 0) throw std::runtime_error("cannot run " + command);
    std::ifstream in(output);
    std::string lastState;
    for (std::string line; std::getline(in, line);)
        if (line.find("\"CurrentPlayer\"") != std::string::npos) lastState = line;
    if (lastState.empty()) return false; // the game ended with the creature's death
    const nlohmann::json state = nlohmann::json::parse(lastState)["dump"];
    if (state["CurrentPlayer"] == 0) return false;
    for (const auto& p : state["Players"])
        if (p["Active"] == true && p["MonsterType"] != 0) return false;
    return true;
}

// The tool's fights stand for the game's only if each meeting is won about as often through the driver;
// the meetings are ones the arrival wins only sometimes, the dragon's among them, so a difference shows.
TEST(BalanceAgreement, oneOnOneFightsWinAsOftenAsThroughTheDriver) {
    constexpr int kFights = 30;
    const fs::path work = scratch("agreement");
    Arena arena(kData, work.string());
    // the level whose arrival fights, the monster
    for (const auto& [level, monster] : {std::pair<std::size_t, int16_t>{0, 5}, {1, 7}, {2, 8}, {4, 9}}) {
        const Arrival& user = deepestArrival(level);
        const std::string saved = arena.saveMeeting(user, monster, "Meeting");
        int tool = 0, driver = 0;
        for (int i = 0; i < kFights; ++i) {
            const uint64_t seed = 500 + static_cast<uint64_t>(i);
            const int phase = i * 7 % 40;
            tool += arena.fight(user, monster, seed, phase).won;
            driver += wonThroughTheDriver(saved, seed, phase, work);
        }
        EXPECT_NEAR(tool, driver, 0.03 * kFights) << "level " << level + 1 << ", monster " << monster;
    }
}

// Arrivals must be creatures the game could have raised: its own ladder's raises, no cheaper next one.
TEST(BalanceAgreement, arrivalsClimbedTheGamesSkillLadder) {
    Arena arena(kData);
    gf::Game& g = arena.game();
    const int32_t ladder = gf::addCreature(g, 0, 10, 10);
    for (const DescentOutcome& o : sampleDescents())
        for (std::size_t l = 1; l <= static_cast<std::size_t>(o.deepest); ++l) {
            const gf::CreatureSkill& arrived = o.levels[l].arrivals.front().creature.skill(gf::kMeleeSkill);
            // The same creature raised by the game, rung by rung, from its starting roll.
            gf::Creature& p = g.creatures(ladder);
            p.skill(gf::kMeleeSkill) = gf::CreatureSkill{true, o.startMelee, 0, 100};
            while (p.skill(gf::kMeleeSkill).value < arrived.value)
                gf::addSkillExperience(g, ladder, gf::kMeleeSkill, p.skill(gf::kMeleeSkill).xpToRaise, false);
            EXPECT_EQ(arrived.raises, p.skill(gf::kMeleeSkill).raises) << "level " << l + 1;
            EXPECT_GT(arrived.xpToRaise, 0);
            EXPECT_LE(arrived.xpToRaise, p.skill(gf::kMeleeSkill).xpToRaise) << "level " << l + 1;
        }
}

// The bot explores before it takes the stairs: every heap of gold on the first level, side rooms
// included, is in the purse of every creature that arrives on the second.
TEST(BalanceBot, exploresTheWholeLevelBeforeTheStairs) {
    Arena arena(kData);
    gf::Game& g = arena.game();
    gf::loadLevel(g, gf::defaultLevelPath(g));
    int32_t least = 0; // a heap holds its base to twice that
    for (const gf::Item& item : g.items)
        if (item.inUse)
            least += item.id == gf::ItemId::SmallGold ? 5 : item.id == gf::ItemId::LargeGold ? 10 : 0;
    ASSERT_GT(least, 0);
    for (const DescentOutcome& o : sampleDescents())
        for (const Arrival& a : o.levels[1].arrivals)
            EXPECT_GE(a.creature.gold, least);
}

// Fewer descents and fights than the report: the bounds leave room for the sampling noise.
Settings quick(int descents) {
    return {.descents = descents, .fights = 100};
}

// The shipped levels and catalogues keep the difficulty curve the report holds them to.
TEST(BalanceBounds, shippedDataKeepsTheCurve) {
    EXPECT_EQ(balanceFaults(measureDescent(kData, quick(60))), std::vector<std::string>{});
}

struct Breakage {
    std::string name, file;
    std::string from, to; // the first occurrence is replaced
    std::string fault;    // a word of the fault that must appear
    int descents;         // 0: the levels alone tell
};

class BrokenData : public ::testing::TestWithParam<Breakage> {};

// Data made too easy or too hard must trip the bound that guards against it, or the bounds guard nothing.
TEST_P(BrokenData, breaksABound) {
    const Breakage& b = GetParam();
    const fs::path dir = scratch(b.name);
    fs::copy(kData, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    std::ifstream in(dir / b.file, std::ios::binary);
    std::string data{std::istreambuf_iterator<char>(in), {}};
    const auto at = data.find(b.from);
    ASSERT_NE(at, std::string::npos) << b.from;
    std::ofstream(dir / b.file, std::ios::binary) << data.replace(at, b.from.size(), b.to);
    const std::vector<std::string> faults =
        b.descents == 0 ? gearFaults(readDescent(dir.string()))
                        : balanceFaults(measureDescent(dir.string(), quick(b.descents)));
    fs::remove_all(dir);
    EXPECT_TRUE(std::any_of(faults.begin(), faults.end(), [&](const std::string& f) {
        return f.find(b.fault) != std::string::npos;
    })) << ::testing::PrintToString(faults);
}

INSTANTIATE_TEST_SUITE_P(
    Data, BrokenData,
    ::testing::Values(Breakage{"greatSwordOnTheFirstLevel", "murkhol1.map", "S.", "S%", "great sword", 0},
                      Breakage{"ratsBiteLikeTrolls", "monster.ini", "NAME=rat\r\nLEVEL=1",
                               "NAME=rat\r\nLEVEL=9", "on murkhol1", 30}),
    [](const auto& info) { return info.param.name; });

} // namespace
