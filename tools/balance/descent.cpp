#include "descent.hpp"

#include "map/map_file.h"
#include "shell/new_game.h"

#include <algorithm>
#include <set>

namespace gloamfell::balance {

namespace {

// A chain that loops back on itself stops here rather than running forever.
constexpr int kMostLevels = 20;

bool isWeapon(const gf::ItemType& t) {
    return t.Damage > 0;
}
bool isArmor(const gf::ItemType& t) {
    return t.Damage <= 0 && t.Armor >= 1;
}

LevelContents levelNow(gf::Game& g, const std::string& file) {
    LevelContents level{file, g.MapName, {}, {}};
    for (const gf::Player& p : g.Players)
        if (p.Active && p.isMonster()) level.monsters.push_back(static_cast<int16_t>(p.MonsterType));
    for (const gf::Item& item : g.Items) {
        if (!item.InUse || !g.ItemTypes.valid(item.ID)) continue;
        const gf::ItemType& t = g.ItemTypes(item.ID);
        if (isWeapon(t) || isArmor(t))
            level.gear.push_back(Gear{item.ID, t.Name, isWeapon(t), isWeapon(t) ? t.Damage : t.Armor});
    }
    return level;
}

// The player readies the strongest weapon and wears the strongest armour found so far.
void pickUp(Gear& weapon, Gear& armor, const LevelContents& level) {
    for (const Gear& found : level.gear) {
        Gear& held = found.weapon ? weapon : armor;
        if (held.id == 0 || found.strength > held.strength) held = found;
    }
}

void equip(Fighter& f, const Gear& weapon, const Gear& armor) {
    f.weapon = weapon.id;
    f.armor = armor.id;
}

template <typename T> T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A player who loses a fight loads the last save and tries again.
constexpr int kTries = 3;

void fightThrough(Arena& arena, Fighter& f, const LevelContents& level) {
    for (int16_t monster : level.monsters)
        for (int t = 0; t < kTries; ++t) {
            const FightOutcome out = arena.fight(f, monster);
            if (!out.won) continue;
            f.record = out.after;
            break;
        }
}

FightStats measureFight(Arena& arena, const Fighter& f, int16_t monster, int fights) {
    FightStats s;
    s.monster = monster;
    s.name = arena.game().MonsterTypes(monster).Name;
    std::vector<int> lost;
    int wins = 0;
    double seconds = 0;
    for (int i = 0; i < fights; ++i) {
        const FightOutcome out = arena.fight(f, monster);
        wins += out.won;
        lost.push_back(out.lifeLost);
        seconds += out.seconds;
    }
    std::sort(lost.begin(), lost.end());
    s.winRate = static_cast<double>(wins) / fights;
    s.meanLifeLost = 0;
    for (int l : lost)
        s.meanLifeLost += l;
    s.meanLifeLost /= fights;
    s.p90LifeLost = lost[static_cast<std::size_t>(fights) * 9 / 10];
    s.meanSeconds = seconds / fights;
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
    while (!file.empty() && seen.insert(file).second && static_cast<int>(levels.size()) < kMostLevels) {
        gf::modMap_Load(g, path);
        levels.push_back(levelNow(g, file));
        file = g.MapLower;
        path = g.folder + "/" + file + ".map";
    }
    return levels;
}

DescentReport measureDescent(const std::string& dataFolder, const Settings& settings) {
    const std::vector<LevelContents> levels = readDescent(dataFolder);
    Arena arena(dataFolder);

    std::vector<std::vector<int32_t>> arrivalLevel(levels.size()), arrivalMelee(levels.size());
    for (int j = 0; j < settings.journeys; ++j) {
        arena.seed(static_cast<uint64_t>(j) + 1);
        Fighter f = arena.freshFighter(1, settings.startMelee);
        Gear weapon, armor;
        for (std::size_t l = 0; l < levels.size(); ++l) {
            arrivalLevel[l].push_back(f.record.Level);
            arrivalMelee[l].push_back(f.record.skill(gf::kMeleeSkill).Value);
            fightThrough(arena, f, levels[l]);
            pickUp(weapon, armor, levels[l]);
            equip(f, weapon, armor);
        }
    }

    DescentReport report;
    report.userLife = arena.freshFighter(1, settings.startMelee).record.MaxLife;
    Gear weapon, armor;
    for (std::size_t l = 0; l < levels.size(); ++l) {
        LevelReport r;
        r.contents = levels[l];
        r.arrivalLevel = median(arrivalLevel[l]);
        r.arrivalMelee = median(arrivalMelee[l]);
        r.weapon = weapon;
        r.armor = armor;
        Fighter f = arena.freshFighter(r.arrivalLevel, r.arrivalMelee);
        equip(f, weapon, armor);
        std::vector<int16_t> types;
        for (int16_t m : levels[l].monsters)
            if (std::find(types.begin(), types.end(), m) == types.end()) types.push_back(m);
        int placed = 0;
        for (int16_t m : types) {
            arena.seed(static_cast<uint64_t>(l + 1) * 1000 + static_cast<uint64_t>(m));
            FightStats s = measureFight(arena, f, m, settings.fights);
            s.placed = static_cast<int>(std::count(levels[l].monsters.begin(), levels[l].monsters.end(), m));
            r.meanLifeLost += s.meanLifeLost * s.placed;
            placed += s.placed;
            r.fights.push_back(s);
        }
        if (placed > 0) r.meanLifeLost /= placed;
        report.levels.push_back(r);
        pickUp(weapon, armor, levels[l]);
    }
    return report;
}

} // namespace gloamfell::balance
