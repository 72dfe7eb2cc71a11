#pragma once
// One-on-one fights over the game's own rules: an empty level, the user's
// creature and one monster side by side, and the game's timers run by hand.
#include "scripted_platform.h"
#include "shell/game.h"

#include <cstdint>
#include <string>

namespace gloamfell::balance {

// What the user brings to a fight. The whole record travels, so experience
// and skill progress carry from one fight to the next.
struct Fighter {
    gf::Player record;
    int16_t weapon = 0; // catalogue numbers, 0 for none
    int16_t armor = 0;
};

struct FightOutcome {
    bool won = false;
    int32_t lifeLost = 0;
    float seconds = 0;
    gf::Player after; // the user's record when the fight ended (meaningless when lost)
};

class Arena {
public:
    // Reads the catalogues of the data folder, as start-up does.
    explicit Arena(const std::string& dataFolder);
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    void seed(uint64_t value) { io_.random.seedWhole(value); }
    gf::Game& game() { return game_; }

    // A new user's creature as the game makes one, at the given level and melee value.
    Fighter freshFighter(int32_t level, int32_t melee);
    FightOutcome fight(const Fighter& user, int16_t monsterType);
    // Spends the user's spendable experience on Melee, as far as it goes.
    static void spendOnMelee(gf::Game& g, int32_t user);

private:
    int32_t placeUser(const Fighter& user);
    void clearArena();

    gf::ScriptedPlatform io_;
    gf::Game game_;
};

} // namespace gloamfell::balance
