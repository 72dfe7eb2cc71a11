#include "bot.hpp"

#include "app/keys.h"
#include "app/menus.h"
#include "app/startup.h"
#include "app/timers.h"
#include "map/directions.h"
#include "map/sight.h"
#include "scripted_platform.h"

#include <algorithm>
#include <array>
#include <deque>
#include <set>

namespace gloamfell::balance {

namespace {

// The shortest timer sets the pace; the others fire on its multiples.
constexpr int kTickMs = gf::kFrameTickMs;
constexpr int kMonsterTicks = gf::kMonsterTickMs / kTickMs;
constexpr int kRefreshTicks = gf::kRefreshTickMs / kTickMs;
// A level still unfinished after three hours of play holds something the bot cannot solve.
constexpr int64_t kMostTicksPerLevel = 3 * 3600 * 1000 / kTickMs;

constexpr int kSide = gf::kMapSize;
constexpr int kTile = 32;

// Clockwise from north, so turning the shorter way is a matter of counting.
int compassIndex(int16_t d) {
    return static_cast<int>(std::find(gf::kClockwise.begin(), gf::kClockwise.end(), d) -
                            gf::kClockwise.begin());
}

int16_t stepDirection(int dx, int dy) {
    // North is up, so a step north lowers y.
    static constexpr int16_t kByOffset[3][3] = {
        {gf::Direction::NorthWest, gf::Direction::North, gf::Direction::NorthEast},
        {gf::Direction::West, gf::Direction::Here, gf::Direction::East},
        {gf::Direction::SouthWest, gf::Direction::South, gf::Direction::SouthEast}};
    return kByOffset[dy + 1][dx + 1];
}

class Bot {
public:
    Bot(const std::string& dataFolder, const std::string& playerFolder, const std::vector<std::string>& names,
        const BotSettings& settings)
        : game_(io_.platform(), dataFolder, playerFolder), names_(names), settings_(settings) {
        outcome_.levels.resize(names.size());
        // What the view shows changes nothing in the game; a small one keeps the redraws cheap.
        io_.canvas.resize(kTile, kTile);
    }

    DescentOutcome play(uint64_t seed) {
        gf::Game& g = game_;
        io_.random.seedWhole(seed);
        io_.window.menuAnswers = {gf::MenuChoice::New};
        io_.window.boxAnswers = {gf::Answer::No};
        io_.window.inputAnswers = {"Bot"};
        gf::onStartup(g);
        if (g.creatures.current == 0) return outcome_;
        outcome_.startMelee = me().skill(gf::kMeleeSkill).value;
        arrive();
        while (!done_) {
            tick();
            if (io_.window.exited) break;
        }
        return outcome_;
    }

private:
    enum class Known : uint8_t { Unseen, Open, Door, Blocked, StairsUp, StairsDown };

    gf::Creature& me() { return game_.creatures(game_.creatures.current); }

    int levelIndex() const {
        const auto it = std::find(names_.begin(), names_.end(), game_.level.name);
        return it == names_.end() ? -1 : static_cast<int>(it - names_.begin());
    }

    void tick() {
        gf::Game& g = game_;
        ++ticks_;
        io_.clock.time = static_cast<float>(static_cast<double>(ticks_) * kTickMs / 1000);
        if (ticks_ % kMonsterTicks == 0) gf::onMonsterTick(g);
        gf::onFrameTick(g);
        if (ticks_ % kRefreshTicks == 0) gf::onRefreshTick(g);
        io_.log.events.clear();
        io_.sound.played.clear();
        if (g.creatures.current == 0) {
            died();
            return;
        }
        if (g.level.name != mapName_) arrive();
        if (level_ < 0) {
            done_ = true;
            return;
        }
        LevelTally& tally = outcome_.levels[static_cast<std::size_t>(level_)];
        ++tally.playTicks;
        if (++levelTicks_ > kMostTicksPerLevel) {
            done_ = true;
            return;
        }
        trackFight(tally);
        look();
        act(tally);
        lastLife_ = g.creatures.current != 0 ? me().life : 0;
    }

    // A new level, reached by the stairs: the one-life count and the save to reload.
    void arrive() {
        gf::Game& g = game_;
        mapName_ = g.level.name;
        level_ = levelIndex();
        levelTicks_ = 0;
        resting_ = false;
        fightOpponents_.clear();
        lastLife_ = me().life;
        forget();
        if (level_ < 0) return;
        if (oneLife_) {
            const gf::Creature& p = me();
            Arrival a{p, 0, 0};
            if (p.weaponSlot != 0) a.weapon = p.carry(p.weaponSlot).id;
            if (p.armourSlot != 0) a.armor = p.carry(p.armourSlot).id;
            outcome_.levels[static_cast<std::size_t>(level_)].arrivals.push_back(a);
            outcome_.deepest = std::max(outcome_.deepest, level_);
        }
        // A save of an earlier descent under the same name is replaced.
        io_.window.boxAnswers = {gf::Answer::Yes};
        gf::onSaveGame(g);
        io_.window.boxAnswers.clear();
        savedGame_ = g.session.gameFile;
    }

    void died() {
        gf::Game& g = game_;
        if (level_ >= 0) {
            LevelTally& tally = outcome_.levels[static_cast<std::size_t>(level_)];
            if (oneLife_) ++tally.deaths;
            if (!fightOpponents_.empty()) endFight(tally, 0);
        }
        oneLife_ = false;
        if (outcome_.reloads >= settings_.mostReloads || savedGame_.empty()) {
            done_ = true;
            return;
        }
        ++outcome_.reloads;
        // The game-over box leads to the start menu, which loads the level's save.
        io_.window.menuAnswers = {gf::MenuChoice::Load};
        io_.window.fileAnswers = {savedGame_};
        while (g.creatures.current == 0 && !io_.window.exited) {
            ++ticks_;
            io_.clock.time = static_cast<float>(static_cast<double>(ticks_) * kTickMs / 1000);
            if (ticks_ % kMonsterTicks == 0) gf::onMonsterTick(g);
        }
        if (g.creatures.current == 0) {
            done_ = true;
            return;
        }
        mapName_ = g.level.name;
        resting_ = false;
        lastLife_ = me().life;
        forget();
    }

    std::vector<int32_t> adjacentMonsters() {
        gf::Game& g = game_;
        std::vector<int32_t> found;
        const gf::Creature& p = me();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = p.x + dx, y = p.y + dy;
                if ((dx == 0 && dy == 0) || !gf::inMap(x, y)) continue;
                const int32_t other = g.level.creatureAt(x, y);
                if (other > 0 && g.creatures(other).isMonster()) found.push_back(other);
            }
        return found;
    }

    // A fight lasts while anything stands next to the user's creature.
    void trackFight(LevelTally& tally) {
        const std::vector<int32_t> near = adjacentMonsters();
        if (near.empty()) {
            if (!fightOpponents_.empty()) endFight(tally, me().life);
            return;
        }
        if (fightOpponents_.empty()) fightStartLife_ = lastLife_;
        fightOpponents_.insert(near.begin(), near.end());
    }

    void endFight(LevelTally& tally, int32_t lifeAfter) {
        ++tally.fights;
        if (fightOpponents_.size() >= 2) ++tally.groupFights;
        tally.lifeLost += std::max(0, fightStartLife_ - lifeAfter);
        fightOpponents_.clear();
    }

    void act(LevelTally& tally) {
        gf::Game& g = game_;
        spendOnMelee();
        readyBestGear();
        const std::vector<int32_t> near = adjacentMonsters();
        if (!near.empty()) {
            resting_ = false;
            // The weakest first: one enemy fewer sooner takes the combat penalty off.
            const int32_t foe = *std::min_element(near.begin(), near.end(), [&](int32_t a, int32_t b) {
                return g.creatures(a).life < g.creatures(b).life;
            });
            face(g.creatures(foe).x, g.creatures(foe).y);
            gf::onKeyDown(g, gf::Key::A, 0);
            return;
        }
        const gf::Creature& p = me();
        if (below(settings_.restBelow)) resting_ = true;
        if (resting_ && !below(settings_.restUntil)) resting_ = false;
        if (resting_) {
            ++tally.waitTicks;
            return;
        }
        if (g.now() < p.nextMoveTime) return;
        walk();
    }

    // A fighter out of stamina rolls at a quarter, so it is never let run low.
    bool below(double share) {
        const gf::Creature& p = me();
        return p.life < p.maxLife * share || p.stamina < p.maxStamina * share / 2;
    }

    void spendOnMelee() {
        const gf::Creature& p = me();
        while (p.skill(gf::kMeleeSkill).xpToRaise <= p.spendableXp) {
            const int32_t before = p.spendableXp;
            gf::onRaiseSkill(game_, 0);
            if (p.spendableXp == before) return;
        }
    }

    int32_t strength(int16_t id, bool weapon) {
        if (id == 0) return 0;
        const gf::ItemType& t = game_.catalogue.items(id);
        return weapon ? t.damage : t.armour;
    }

    bool isWeapon(int16_t id) { return game_.catalogue.items(id).damage > 0; }
    bool isArmor(int16_t id) { return !isWeapon(id) && game_.catalogue.items(id).armour > 0; }

    int32_t readied(bool weapon) {
        const gf::Creature& p = me();
        const int32_t slot = weapon ? p.weaponSlot : p.armourSlot;
        return slot == 0 ? 0 : strength(p.carry(slot).id, weapon);
    }

    // Readies carried gear stronger than what is readied, through the carry box's pop-up.
    void readyBestGear() {
        for (int32_t slot = 1; slot <= gf::kCarrySlots; ++slot) {
            const gf::Item& item = me().carry(slot);
            if (!item.inUse) continue;
            const bool weapon = isWeapon(item.id);
            if (!weapon && !isArmor(item.id)) continue;
            if (strength(item.id, weapon) <= readied(weapon)) continue;
            gf::onCarryScrolled(game_, slot);
            io_.window.popupAnswers = {gf::PopupChoice::Ready};
            gf::onCarryBoxClicked(game_, slot - game_.screen.carryScroll);
        }
    }

    bool wantedGear(int16_t id) { return id != 0 && worthTaking(id) && (isWeapon(id) || isArmor(id)); }

    void face(int32_t x, int32_t y) {
        const gf::Creature& p = me();
        const int want = compassIndex(stepDirection(x - p.x, y - p.y));
        for (int turns = 0; turns < 8 && compassIndex(p.facing) != want; ++turns) {
            const int clockwise = (want - compassIndex(p.facing) + 8) % 8;
            gf::onKeyDown(game_, clockwise <= 4 ? gf::Key::Right : gf::Key::Left, 0);
        }
    }

    enum class Seek { Anything, StairsDown };

    // The first cell on the shortest way to the nearest goal, and whether that cell is the goal.
    struct Step {
        int x = 0, y = 0;
        bool goal = false;
        bool found = false;
    };

    static int at(int x, int y) { return y * kSide + x; }

    // What the player has seen of the level: the cells the view has shown lit, as they last looked.
    void forget() {
        known_.fill(Known::Unseen);
        itemSeen_.fill(0);
        monsterSeen_.fill(false);
    }

    // The view shows what is in sight and lit; the dark is black, so nothing beyond the light counts.
    void look() {
        gf::Game& g = game_;
        gf::updateVisibility(g, gf::kLightRadius, gf::kLightRadius);
        gf::updateLight(g);
        const gf::Creature& p = me();
        for (int y = std::max(p.y - gf::kLightRadius, 0);
             y <= std::min(p.y + gf::kLightRadius, gf::kMapUpper); ++y)
            for (int x = std::max(p.x - gf::kLightRadius, 0);
                 x <= std::min(p.x + gf::kLightRadius, gf::kMapUpper); ++x) {
                if (!g.level.visible(x, y) || g.level.light(x, y) >= gf::kUnlit) continue;
                const std::size_t cell = static_cast<std::size_t>(at(x, y));
                const int32_t item = g.level.itemAt(x, y);
                const int16_t id = item > 0 ? g.items(item).id : 0;
                known_[cell] = kind(id);
                itemSeen_[cell] = id;
                const int32_t who = g.level.creatureAt(x, y);
                monsterSeen_[cell] = who > 0 && g.creatures(who).isMonster();
            }
    }

    Known kind(int16_t id) {
        switch (id) {
        case 0:
            return Known::Open;
        case gf::ItemId::DoorClosedEW:
        case gf::ItemId::DoorClosedNS:
            return Known::Door; // walking into it opens it
        case gf::ItemId::StairsUp:
            return Known::StairsUp;
        case gf::ItemId::StairsDown:
            return Known::StairsDown;
        default:
            return game_.catalogue.items(id).blocksMovement ? Known::Blocked : Known::Open;
        }
    }

    bool passable(int cell) const {
        const Known k = known_[static_cast<std::size_t>(cell)];
        return k == Known::Open || k == Known::Door;
    }

    // A cell the player can walk to with an unseen cell beside it.
    bool frontier(int x, int y) const {
        if (!passable(at(x, y))) return false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (gf::inMap(nx, ny) && known_[static_cast<std::size_t>(at(nx, ny))] == Known::Unseen)
                    return true;
            }
        return false;
    }

    bool worthTaking(int16_t id) {
        if (id == gf::ItemId::SmallGold || id == gf::ItemId::LargeGold) return true;
        if (id == 0) return false;
        if (isWeapon(id)) return strength(id, true) > readied(true);
        if (isArmor(id)) return strength(id, false) > readied(false);
        return false;
    }

    bool goal(Seek seek, int x, int y) {
        const std::size_t cell = static_cast<std::size_t>(at(x, y));
        if (seek == Seek::StairsDown) return known_[cell] == Known::StairsDown;
        return monsterSeen_[cell] || worthTaking(itemSeen_[cell]) || frontier(x, y);
    }

    // Only over cells the player has seen: the unseen is reached by walking to its edge.
    Step route(Seek seek) {
        const gf::Creature& p = me();
        std::array<int, kSide * kSide> from{};
        from.fill(-1);
        const int start = at(p.x, p.y);
        std::deque<int> queue{start};
        from[static_cast<std::size_t>(start)] = start;
        while (!queue.empty()) {
            const int cell = queue.front();
            queue.pop_front();
            const int cx = cell % kSide, cy = cell / kSide;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = cx + dx, y = cy + dy;
                    if (!gf::inMap(x, y)) continue;
                    const int next = at(x, y);
                    if (from[static_cast<std::size_t>(next)] >= 0) continue;
                    const bool isGoal = goal(seek, x, y);
                    if (!isGoal && !passable(next)) continue;
                    from[static_cast<std::size_t>(next)] = cell;
                    if (isGoal) return firstStep(from, next, start);
                    queue.push_back(next);
                }
        }
        return {};
    }

    static Step firstStep(const std::array<int, kSide * kSide>& from, int goal, int start) {
        int cell = goal;
        while (from[static_cast<std::size_t>(cell)] != start)
            cell = from[static_cast<std::size_t>(cell)];
        return Step{cell % kSide, cell / kSide, cell == goal, true};
    }

    void walk() {
        gf::Game& g = game_;
        Step step = route(Seek::Anything);
        if (!step.found) {
            if (level_ + 1 == static_cast<int>(names_.size())) {
                outcome_.finished = true;
                outcome_.completed = oneLife_;
                done_ = true;
                return;
            }
            // Nobody takes the stairs into the unknown half dead.
            if (below(settings_.restUntil)) {
                resting_ = true;
                return;
            }
            step = route(Seek::StairsDown);
        }
        if (!step.found) {
            done_ = true;
            return;
        }
        face(step.x, step.y);
        const int32_t item = g.level.itemAt(step.x, step.y);
        if (step.goal && item > 0 && wantedGear(g.items(item).id))
            gf::onKeyDown(g, gf::Key::P, 0);
        else
            gf::onKeyDown(g, gf::Key::Up, 0);
    }

    gf::ScriptedPlatform io_;
    gf::Game game_;
    const std::vector<std::string>& names_;
    BotSettings settings_;
    DescentOutcome outcome_;
    int64_t ticks_ = 0;
    int64_t levelTicks_ = 0;
    std::string mapName_;
    std::string savedGame_;
    int level_ = -1;
    bool oneLife_ = true;
    bool done_ = false;
    bool resting_ = false;
    std::set<int32_t> fightOpponents_;
    int32_t fightStartLife_ = 0;
    int32_t lastLife_ = 0;
    std::array<Known, kSide * kSide> known_{};
    std::array<int16_t, kSide * kSide> itemSeen_{}; // the item on each cell when last seen
    std::array<bool, kSide * kSide> monsterSeen_{}; // a monster stood there when last seen
};

} // namespace

DescentOutcome playDescent(const std::string& dataFolder, const std::string& playerFolder,
                           const std::vector<std::string>& levelNames, uint64_t seed,
                           const BotSettings& settings) {
    Bot bot(dataFolder, playerFolder, levelNames, settings);
    return bot.play(seed);
}

} // namespace gloamfell::balance
