#include "arena.hpp"

#include "app/keys.h"
#include "app/timers.h"
#include "creatures/combat.h"
#include "creatures/creature_table.h"
#include "creatures/monster_behaviour.h"
#include "creatures/monster_catalogue.h"
#include "creatures/skills.h"
#include "items/equipment.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/directions.h"
#include "map/map_file.h"
#include "savegame/savegame.h"

#include <stdexcept>
#include <string>

namespace gloamfell::balance {

namespace {

constexpr int32_t kUserX = 50, kMonsterX = 51, kRow = 50;
constexpr int kMonsterTicks = gf::kMonsterTickMs / FightTiming::kTickMs;
constexpr int kRefreshTicks = gf::kRefreshTickMs / FightTiming::kTickMs;
static_assert(FightTiming::kTickMs == gf::kFrameTickMs);

} // namespace

bool FightTiming::monsters(int tick, int phase) {
    return (tick + phase) % kMonsterTicks == 0;
}
bool FightTiming::refresh(int tick, int phase) {
    return (tick + phase) % kRefreshTicks == 0;
}

Arena::Arena(const std::string& dataFolder, const std::string& playerFolder)
    : game_(io_.platform(), dataFolder, playerFolder.empty() ? dataFolder : playerFolder) {
    gf::loadItemCatalogue(game_);
    gf::createCreatureTable(game_.creatures);
    gf::loadMonsterCatalogue(game_);
    gf::initSkills(game_);
    gf::clearLevel(game_, "Arena");
    // What the view shows changes nothing in the fight; a small one keeps the redraws cheap.
    io_.canvas.resize(32, 32);
}

int32_t Arena::meet(const Arrival& user, int16_t monsterType) {
    gf::Game& g = game_;
    g.creatures.current = gf::addCreature(g, 0, kUserX, kRow);
    gf::Creature& p = g.creatures(g.creatures.current);
    const gf::Creature placed = p;
    p = user.creature;
    p.active = true;
    p.monsterType = 0;
    p.x = p.homeX = placed.x;
    p.y = p.homeY = placed.y;
    p.facing = gf::Direction::East; // toward the monster
    p.life = p.maxLife;
    p.stamina = p.maxStamina;
    p.nextAttackTime = 0;
    p.inCombat = false;
    p.combatPenalty = 0;
    p.carried = {};
    p.weaponSlot = p.armourSlot = 0;
    int32_t slot = 0;
    for (int16_t id : {user.weapon, user.armor}) {
        if (id == 0) continue;
        p.carry(++slot) = gf::Item{true, id, 0, 0, 0};
        gf::ready(g, g.creatures.current, slot);
    }
    const int32_t m = gf::addCreature(g, monsterType, kMonsterX, kRow);
    if (m == 0) {
        clearArena();
        throw std::runtime_error("monster " + std::to_string(monsterType) + " cannot be placed");
    }
    return m;
}

void Arena::clearArena() {
    gf::Game& g = game_;
    for (int32_t i = 1; i <= g.creatures.size(); ++i)
        if (g.creatures(i).active) gf::removeCreature(g, i);
    gf::removeItem(g, g.level.itemAt(kMonsterX, kRow));
}

FightOutcome Arena::fight(const Arrival& user, int16_t monsterType, uint64_t seed, int phase) {
    gf::Game& g = game_;
    const int32_t m = meet(user, monsterType);
    io_.random.seedWhole(seed);
    int tick = 0;
    while (tick < FightTiming::kMostTicks && g.creatures.current != 0 && g.creatures(m).active) {
        ++tick;
        io_.clock.time = FightTiming::timeAt(tick);
        if (FightTiming::monsters(tick, phase)) gf::onMonsterTick(g);
        gf::onFrameTick(g);
        if (FightTiming::refresh(tick, phase)) gf::onRefreshTick(g);
        if (g.creatures.current != 0) gf::onKeyDown(g, gf::Key::A, 0);
    }
    io_.log.events.clear();
    io_.sound.played.clear();
    FightOutcome out;
    out.seconds = static_cast<float>(tick) * FightTiming::kTickMs / 1000;
    out.won = g.creatures.current != 0 && !g.creatures(m).active;
    out.lifeLost = g.creatures.current != 0
                       ? g.creatures(g.creatures.current).maxLife - g.creatures(g.creatures.current).life
                       : user.creature.maxLife;
    clearArena();
    return out;
}

std::string Arena::saveMeeting(const Arrival& user, int16_t monsterType, const std::string& name) {
    meet(user, monsterType);
    const bool saved = gf::saveGameFile(game_, name);
    clearArena();
    if (!saved) throw std::runtime_error("the meeting could not be saved as " + name);
    return gf::savedGamePath(game_, name).string();
}

} // namespace gloamfell::balance
