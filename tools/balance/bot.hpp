#pragma once
// A careful player that explores, knowing only what the view has shown it, and plays
// whole descents through the game's own start-up, keys, menus and timers, as
// gloamfell-sim would drive them.
#include "state/game.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gloamfell::balance {

// The user's creature as it stepped onto a level, with the gear it had readied.
struct Arrival {
    gf::Creature creature;
    int16_t weapon = 0; // catalogue numbers, 0 for none
    int16_t armor = 0;
};

// What happened on one level of the descent.
struct LevelTally {
    std::vector<Arrival> arrivals; // first arrivals of the one-life run
    int deaths = 0;                // of those, how many died there
    int fights = 0;                // every fight, reloaded tries included
    int groupFights = 0;           // against two or more at once
    int64_t lifeLost = 0;
    int64_t playTicks = 0;
    int64_t waitTicks = 0; // resting for life with nothing to fight
};

struct DescentOutcome {
    int32_t startMelee = 0;
    int deepest = 0;        // the deepest level reached with one life, 0-based
    bool completed = false; // cleared the last level with one life
    int reloads = 0;        // deaths until the last level was cleared, loading the level's save
    bool finished = false;  // cleared the last level at all, however many reloads it took
    std::vector<LevelTally> levels;
};

struct BotSettings {
    int mostReloads = 10;
    double restBelow = 0.5; // rest when life falls under this share of the most, stamina under half that
    double restUntil = 0.8;
};

// Plays one seeded descent in a game of its own. Saved games go into playerFolder.
// levelNames are the descent's level names (MAP=) in order.
DescentOutcome playDescent(const std::string& dataFolder, const std::string& playerFolder,
                           const std::vector<std::string>& levelNames, uint64_t seed,
                           const BotSettings& settings);

} // namespace gloamfell::balance
