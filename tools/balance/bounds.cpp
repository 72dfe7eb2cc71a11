#include "bounds.hpp"

#include "format.hpp"

#include <algorithm>
#include <set>

namespace gloamfell::balance {

namespace {

constexpr int kMostNewGearPerLevel = 2;
constexpr int kLevelsWithTheBest = 2; // counted from the bottom
constexpr double kMostDeathShare = 0.15;
constexpr double kLeastWeakReachFourth = 0.5;
constexpr double kMostWaitShare = 1.0 / 3;
constexpr double kFinaleWinRate[] = {0.40, 0.70};

// The fight of the level its median arrival wins least often.
const FightStats* hardest(const LevelReport& level) {
    const auto it = std::min_element(
        level.oneOnOne.begin(), level.oneOnOne.end(),
        [](const FightStats& a, const FightStats& b) { return a.medianWinRate < b.medianWinRate; });
    return it == level.oneOnOne.end() ? nullptr : &*it;
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
    const std::size_t last = levels.size() - 1;
    for (std::size_t l = 0; l < levels.size(); ++l) {
        const LevelReport& r = levels[l];
        const std::string& file = r.contents.file;
        if (l < last && r.deathShare > kMostDeathShare)
            faults.push_back(file + ": " + percent(r.deathShare) +
                             " of the one-life arrivals die here, more than " + percent(kMostDeathShare));
        if (l > 0 && r.meanLifeLost <= levels[l - 1].meanLifeLost)
            faults.push_back(file + ": mean life lost per fight " + fixed(r.meanLifeLost, 1) +
                             " does not rise above " + fixed(levels[l - 1].meanLifeLost, 1) + " on " +
                             levels[l - 1].contents.file);
        if (r.contents.arrivalNextToStairsUp)
            faults.push_back(file + ": the arrival cell lies one step from the stairs back up");
    }
    if (report.weakReachFourth < kLeastWeakReachFourth)
        faults.push_back("starts at melee 10 to 12 reach level 4 " + percent(report.weakReachFourth) +
                         " of the time, less than " + percent(kLeastWeakReachFourth));
    if (report.waitShare > kMostWaitShare)
        faults.push_back(percent(report.waitShare) + " of play time is spent waiting for life, more than " +
                         percent(kMostWaitShare));

    const FightStats* finale = hardest(levels[last]);
    if (!finale)
        return faults.push_back(levels[last].contents.file + ": the last level holds no fight"), faults;
    for (std::size_t l = 0; l < last; ++l)
        for (const FightStats& f : levels[l].oneOnOne)
            if (f.medianWinRate <= finale->medianWinRate)
                faults.push_back(levels[l].contents.file + ": the " + f.name +
                                 " is as hard as the last level's " + finale->name);
    if (finale->medianWinRate < kFinaleWinRate[0] || finale->medianWinRate > kFinaleWinRate[1])
        faults.push_back(levels[last].contents.file + ": the median arrival beats the " + finale->name + " " +
                         percent(finale->medianWinRate) + " of the time, outside " +
                         percent(kFinaleWinRate[0]) + " to " + percent(kFinaleWinRate[1]));
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
