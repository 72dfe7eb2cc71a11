#pragma once
// One-on-one fights in the game itself: an empty level, the user's creature and
// one monster side by side, the three timers at their periods and the attack key
// pressed whenever the fastest timer fires.
#include "bot.hpp"
#include "scripted_platform.h"
#include "state/game.h"

#include <cstdint>
#include <string>

namespace gloamfell::balance {

struct FightOutcome {
    bool won = false;
    int32_t lifeLost = 0;
    float seconds = 0;
};

// How a fight's ticks fall: the time it starts at and the timers' offset.
struct FightTiming {
    static constexpr float kStartTime = 1000;
    static constexpr int kTickMs = 100;
    static constexpr int kMostTicks = 3600 * 1000 / kTickMs; // every blow does at least 1
    static float timeAt(int tick) {
        return static_cast<float>(kStartTime + static_cast<double>(tick) * kTickMs / 1000);
    }
    // Which timers fire on a tick, given where in their cycles the fight began.
    static bool monsters(int tick, int phase);
    static bool refresh(int tick, int phase);
};

class Arena {
public:
    // Reads the catalogues of the data folder, as start-up does; saves go to playerFolder.
    explicit Arena(const std::string& dataFolder, const std::string& playerFolder = {});
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    gf::Game& game() { return game_; }

    // The creature comes at full life and stamina, skills and gear as they arrived.
    FightOutcome fight(const Arrival& user, int16_t monsterType, uint64_t seed, int phase);
    // The same meeting written as a saved game, to play it through gloamfell-sim; returns its path.
    std::string saveMeeting(const Arrival& user, int16_t monsterType, const std::string& name);

private:
    int32_t meet(const Arrival& user, int16_t monsterType);
    void clearArena();

    gf::ScriptedPlatform io_;
    gf::Game game_;
};

} // namespace gloamfell::balance
