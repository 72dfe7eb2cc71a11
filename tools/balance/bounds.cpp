#include "bounds.hpp"

#include "format.hpp"

#include <algorithm>
#include <set>

namespace gloamfell::balance {

namespace {

constexpr int kMostNewGearPerLevel = 2;
constexpr int kLevelsWithTheBest = 2; // counted from the bottom
constexpr double kLeastWinRate = 0.90;
// Mean life lost per fight, as shares of the user's life: about a tenth on the
// first level, about a third on the one above the last, and a rise on every level.
constexpr double kFirstLevelLoss[] = {0.05, 0.15};
constexpr double kLastButOneLoss[] = {0.25, 0.42};
constexpr double kLeastRise = 0.02;
constexpr double kFinaleWinRate[] = {0.40, 0.70};

std::string lifeText(double life) {
    return fixed(life, 1);
}

void checkLoss(std::vector<std::string>& faults, const LevelReport& level, double life,
               const double (&range)[2]) {
    const double share = level.meanLifeLost / life;
    if (share < range[0] || share > range[1])
        faults.push_back(level.contents.file + ": mean life lost per fight is " +
                         lifeText(level.meanLifeLost) + " (" + percent(share) +
                         " of the user's life), outside " + percent(range[0]) + " to " + percent(range[1]));
}

const FightStats* hardest(const LevelReport& level) {
    const auto it =
        std::min_element(level.fights.begin(), level.fights.end(),
                         [](const FightStats& a, const FightStats& b) { return a.winRate < b.winRate; });
    return it == level.fights.end() ? nullptr : &*it;
}

} // namespace

std::vector<std::string> gearFaults(const std::vector<LevelContents>& levels) {
    std::vector<std::string> faults;
    std::vector<std::pair<Gear, std::string>> found; // each piece with the level it first lies on
    for (const LevelContents& level : levels) {
        int fresh = 0;
        for (const Gear& g : level.gear) {
            const bool seen = std::any_of(found.begin(), found.end(),
                                          [&](const auto& f) { return f.first.name == g.name; });
            if (seen) continue;
            ++fresh;
            for (const auto& [earlier, where] : found)
                if (earlier.weapon == g.weapon && earlier.strength > g.strength)
                    faults.push_back(level.file + ": " + g.name + " (" + std::to_string(g.strength) +
                                     ") comes after the stronger " + earlier.name + " (" +
                                     std::to_string(earlier.strength) + ") on " + where);
            found.emplace_back(g, level.file);
        }
        if (fresh > kMostNewGearPerLevel)
            faults.push_back(level.file + ": " + std::to_string(fresh) +
                             " new weapons and armour, more than " + std::to_string(kMostNewGearPerLevel));
    }
    const std::size_t firstOfTheLast =
        levels.size() > kLevelsWithTheBest ? levels.size() - kLevelsWithTheBest : 0;
    std::set<std::string> upper;
    for (std::size_t l = 0; l < firstOfTheLast; ++l)
        for (const Gear& g : levels[l].gear)
            upper.insert(g.name);
    for (bool weapon : {true, false}) {
        const Gear* best = nullptr;
        for (const auto& [g, where] : found)
            if (g.weapon == weapon && (!best || g.strength > best->strength)) best = &g;
        if (best && upper.count(best->name))
            faults.push_back("the best " + std::string(weapon ? "weapon, " : "armour, ") + best->name +
                             ", lies above the last " + std::to_string(kLevelsWithTheBest) + " levels");
    }
    return faults;
}

std::vector<std::string> curveFaults(const DescentReport& report) {
    std::vector<std::string> faults;
    const auto& levels = report.levels;
    if (levels.size() < 2) return {"the descent has fewer than two levels"};
    const double life = report.userLife;
    const std::size_t last = levels.size() - 1;
    for (std::size_t l = 0; l < last; ++l) {
        for (const FightStats& f : levels[l].fights)
            if (f.winRate < kLeastWinRate)
                faults.push_back(levels[l].contents.file + ": the " + f.name + " is beaten " +
                                 percent(f.winRate) + " of the time, less than " + percent(kLeastWinRate));
        if (l > 0 && levels[l].meanLifeLost < levels[l - 1].meanLifeLost + kLeastRise * life)
            faults.push_back(levels[l].contents.file + ": mean life lost per fight " +
                             lifeText(levels[l].meanLifeLost) + " does not rise enough above " +
                             lifeText(levels[l - 1].meanLifeLost) + " on " + levels[l - 1].contents.file);
    }
    checkLoss(faults, levels.front(), life, kFirstLevelLoss);
    checkLoss(faults, levels[last - 1], life, kLastButOneLoss);

    const FightStats* finale = hardest(levels[last]);
    if (!finale)
        return faults.push_back(levels[last].contents.file + ": the last level holds no fight"), faults;
    for (std::size_t l = 0; l < last; ++l)
        if (const FightStats* f = hardest(levels[l]); f && f->winRate <= finale->winRate)
            faults.push_back(levels[l].contents.file + ": the " + f->name +
                             " is as hard as the last level's " + finale->name);
    if (finale->winRate < kFinaleWinRate[0] || finale->winRate > kFinaleWinRate[1])
        faults.push_back(levels[last].contents.file + ": the " + finale->name + " is beaten " +
                         percent(finale->winRate) + " of the time, outside " + percent(kFinaleWinRate[0]) +
                         " to " + percent(kFinaleWinRate[1]));
    return faults;
}

std::vector<std::string> balanceFaults(const DescentReport& report) {
    std::vector<LevelContents> levels;
    for (const LevelReport& l : report.levels)
        levels.push_back(l.contents);
    std::vector<std::string> faults = gearFaults(levels);
    const std::vector<std::string> curve = curveFaults(report);
    faults.insert(faults.end(), curve.begin(), curve.end());
    return faults;
}

} // namespace gloamfell::balance
