#include "descent.hpp"

#include "app/new_game.h"
#include "app/timers.h"
#include "arena.hpp"
#include "map/map_file.h"
#include "util/files.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <thread>
#include <unistd.h>

namespace gloamfell::balance {

namespace {

namespace fs = std::filesystem;

// A chain that loops back on itself stops here rather than running forever.
constexpr int kMostLevels = 20;
constexpr int32_t kWeakestStart = 12;
constexpr std::size_t kFourthLevel = 3;

bool isWeapon(const gf::ItemType& t) {
    return t.damage > 0;
}
bool isArmor(const gf::ItemType& t) {
    return t.damage <= 0 && t.armour >= 1;
}

bool stairsUpBeside(gf::Game& g, int32_t x, int32_t y) {
    for (int32_t dy = -1; dy <= 1; ++dy)
        for (int32_t dx = -1; dx <= 1; ++dx) {
            const int32_t cx = x + dx, cy = y + dy;
            if (cx < 1 || cy < 1 || cx > 101 || cy > 101) continue;
            const int32_t item = g.level.itemAt(cx, cy);
            if (item > 0 && g.items(item).id == gf::ItemId::StairsUp) return true;
        }
    return false;
}

LevelContents levelNow(gf::Game& g, const std::string& file) {
    LevelContents level{file, g.level.name, {}, {}, false};
    for (const gf::Creature& p : g.creatures)
        if (p.active && p.isMonster()) level.monsters.push_back(static_cast<int16_t>(p.monsterType));
    for (const gf::Item& item : g.items) {
        if (!item.inUse || !g.catalogue.items.valid(item.id)) continue;
        const gf::ItemType& t = g.catalogue.items(item.id);
        if (isWeapon(t) || isArmor(t))
            level.gear.push_back(Gear{item.id, t.name, isWeapon(t), isWeapon(t) ? t.damage : t.armour});
    }
    return level;
}

template <typename T> Quartiles quartiles(std::vector<T> v) {
    if (v.empty()) return {};
    std::sort(v.begin(), v.end());
    const auto at = [&](std::size_t num) { return static_cast<double>(v[(v.size() - 1) * num / 4]); };
    return {at(1), at(2), at(3)};
}

int32_t gearStrength(gf::Game& g, int16_t id, bool weapon) {
    if (id == 0 || !g.catalogue.items.valid(id)) return 0;
    return weapon ? g.catalogue.items(id).damage : g.catalogue.items(id).armour;
}

std::vector<DescentOutcome> playAll(const std::string& dataFolder, const std::vector<std::string>& names,
                                    const Settings& settings) {
    std::vector<DescentOutcome> outcomes(static_cast<std::size_t>(settings.descents));
    const int threads = std::max(1, settings.threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            // Each worker saves its games in a folder of its own.
            const fs::path folder =
                fs::temp_directory_path() /
                ("gloamfell-balance-" + std::to_string(::getpid()) + "-" + std::to_string(t));
            fs::create_directories(folder);
            for (int d = t; d < settings.descents; d += threads)
                outcomes[static_cast<std::size_t>(d)] =
                    playDescent(dataFolder, folder.string(), names,
                                settings.firstSeed + static_cast<uint64_t>(d), settings.bot);
            fs::remove_all(folder);
        });
    for (std::thread& w : workers)
        w.join();
    return outcomes;
}

FightStats oneOnOne(Arena& arena, const std::vector<Arrival>& arrivals, const Arrival& median,
                    int16_t monster, int fights, uint64_t seed) {
    FightStats s;
    s.monster = monster;
    s.name = arena.game().catalogue.monsters(monster).name;
    int wins = 0, medianWins = 0;
    int64_t lost = 0;
    for (int i = 0; i < fights; ++i) {
        // The meeting falls anywhere in the refresh cycle.
        const int phase = i % (gf::kRefreshTickMs / FightTiming::kTickMs);
        const uint64_t fightSeed = seed * 100000 + static_cast<uint64_t>(i);
        const FightOutcome out =
            arena.fight(arrivals[static_cast<std::size_t>(i) % arrivals.size()], monster, fightSeed, phase);
        wins += out.won;
        lost += out.lifeLost;
        medianWins += arena.fight(median, monster, fightSeed, phase).won;
    }
    s.winRate = static_cast<double>(wins) / fights;
    s.medianWinRate = static_cast<double>(medianWins) / fights;
    s.meanLifeLost = static_cast<double>(lost) / fights;
    return s;
}

} // namespace

std::vector<LevelContents> readDescent(const std::string& dataFolder) {
    Arena reader(dataFolder);
    gf::Game& g = reader.game();
    std::vector<LevelContents> levels;
    std::set<std::string> seen;
    std::string file = "murkhol1";
    std::string path = gf::defaultLevelPath(g);
    int32_t arrivalX = 0, arrivalY = 0;
    while (!file.empty() && seen.insert(file).second && static_cast<int>(levels.size()) < kMostLevels) {
        gf::loadLevel(g, path);
        levels.push_back(levelNow(g, file));
        if (levels.size() > 1) levels.back().arrivalNextToStairsUp = stairsUpBeside(g, arrivalX, arrivalY);
        arrivalX = arrivalY = 0;
        for (const gf::Item& item : g.items)
            if (item.inUse && item.id == gf::ItemId::StairsDown) {
                arrivalX = item.x;
                arrivalY = item.y;
            }
        file = g.level.lower;
        path = gf::fileIn(g.folder, file + ".map");
    }
    return levels;
}

std::vector<std::string> levelNames(const std::vector<LevelContents>& levels) {
    std::vector<std::string> names;
    for (const LevelContents& l : levels)
        names.push_back(l.name);
    return names;
}

DescentReport measureDescent(const std::string& dataFolder, const Settings& settings) {
    const std::vector<LevelContents> levels = readDescent(dataFolder);
    const std::vector<DescentOutcome> outcomes = playAll(dataFolder, levelNames(levels), settings);

    Arena arena(dataFolder);
    gf::Game& g = arena.game();
    DescentReport report;
    report.descents = settings.descents;
    std::vector<double> reloads;
    int completed = 0, weakReached = 0;
    for (const DescentOutcome& o : outcomes) {
        completed += o.completed;
        reloads.push_back(o.finished ? o.reloads : settings.bot.mostReloads + 1);
        if (o.startMelee <= kWeakestStart) {
            ++report.weakStarts;
            weakReached += o.deepest >= static_cast<int>(kFourthLevel);
        }
    }
    report.completion = static_cast<double>(completed) / settings.descents;
    report.medianReloads = quartiles(reloads).median;
    report.weakReachFourth = report.weakStarts ? static_cast<double>(weakReached) / report.weakStarts : 0;

    int64_t allTicks = 0, waitTicks = 0;
    for (std::size_t l = 0; l < levels.size(); ++l) {
        LevelReport r;
        r.contents = levels[l];
        std::vector<Arrival> arrivals;
        LevelTally sum;
        for (const DescentOutcome& o : outcomes) {
            const LevelTally& t = o.levels[l];
            arrivals.insert(arrivals.end(), t.arrivals.begin(), t.arrivals.end());
            sum.deaths += t.deaths;
            sum.fights += t.fights;
            sum.groupFights += t.groupFights;
            sum.lifeLost += t.lifeLost;
            sum.playTicks += t.playTicks;
            sum.waitTicks += t.waitTicks;
        }
        r.arrivals = static_cast<int>(arrivals.size());
        r.deathShare = arrivals.empty() ? 0 : static_cast<double>(sum.deaths) / r.arrivals;
        r.fights = sum.fights;
        r.groupFights = sum.groupFights;
        r.meanLifeLost = sum.fights ? static_cast<double>(sum.lifeLost) / sum.fights : 0;
        r.waitShare = sum.playTicks ? static_cast<double>(sum.waitTicks) / sum.playTicks : 0;
        r.activeSecondsPerFight = sum.fights ? static_cast<double>(sum.playTicks - sum.waitTicks) *
                                                   FightTiming::kTickMs / 1000 / sum.fights
                                             : 0;
        std::vector<int32_t> melee, level, weapon, armor;
        for (const Arrival& a : arrivals) {
            melee.push_back(a.creature.skill(gf::kMeleeSkill).value);
            level.push_back(a.creature.level);
            weapon.push_back(gearStrength(g, a.weapon, true));
            armor.push_back(gearStrength(g, a.armor, false));
        }
        r.melee = quartiles(melee);
        r.creatureLevel = quartiles(level);
        r.weapon = quartiles(weapon);
        r.armor = quartiles(armor);
        if (!arrivals.empty()) {
            std::vector<Arrival> byMelee = arrivals;
            std::nth_element(
                byMelee.begin(), byMelee.begin() + static_cast<std::ptrdiff_t>(byMelee.size() / 2),
                byMelee.end(), [](const Arrival& a, const Arrival& b) {
                    return a.creature.skill(gf::kMeleeSkill).value < b.creature.skill(gf::kMeleeSkill).value;
                });
            r.medianArrival = byMelee[byMelee.size() / 2];
            std::vector<int16_t> types;
            for (int16_t m : levels[l].monsters)
                if (std::find(types.begin(), types.end(), m) == types.end()) types.push_back(m);
            for (int16_t m : types) {
                FightStats s = oneOnOne(arena, arrivals, r.medianArrival, m, settings.fights,
                                        (l + 1) * 1000 + static_cast<uint64_t>(m));
                s.placed =
                    static_cast<int>(std::count(levels[l].monsters.begin(), levels[l].monsters.end(), m));
                r.oneOnOne.push_back(s);
            }
        }
        report.levels.push_back(r);
        allTicks += sum.playTicks;
        waitTicks += sum.waitTicks;
    }
    report.waitShare = allTicks ? static_cast<double>(waitTicks) / allTicks : 0;
    if (!report.levels.empty()) report.userLife = report.levels[0].medianArrival.creature.maxLife;
    return report;
}

} // namespace gloamfell::balance
