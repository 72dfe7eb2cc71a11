#pragma once
// Whole descents played by the bot through the shipped levels, and the
// one-on-one fights of every monster type against the creatures that arrived.
#include "bot.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace gloamfell::balance {

// A weapon or armour lying on a level; strength is its damage or armour value.
struct Gear {
    int16_t id = 0;
    std::string name;
    bool weapon = false;
    int32_t strength = 0;
};

// What one level file places, read by the game's own level loader.
struct LevelContents {
    std::string file; // "murkhol1"
    std::string name;
    std::vector<int16_t> monsters; // monster types in placement order, repeats kept
    std::vector<Gear> gear;        // weapons and armour lying there, in placement order
    bool arrivalNextToStairsUp = false;
};

// The chain of levels from the default level down the LOWER= names.
std::vector<LevelContents> readDescent(const std::string& dataFolder);
// Their names (MAP=), in order, as playDescent takes them.
std::vector<std::string> levelNames(const std::vector<LevelContents>& levels);

struct Quartiles {
    double low = 0, median = 0, high = 0;
};

struct FightStats {
    int16_t monster = 0;
    std::string name;
    int placed = 0;           // how many the level holds
    double winRate = 0;       // against every creature that arrived
    double medianWinRate = 0; // against the median arrival alone
    double meanLifeLost = 0;
};

struct LevelReport {
    LevelContents contents;
    int arrivals = 0;
    Quartiles melee, creatureLevel, weapon, armor; // gear by strength, 0 for none
    double deathShare = 0;                         // of one-life arrivals
    int fights = 0;
    int groupFights = 0;
    double meanLifeLost = 0;
    double waitShare = 0;             // of the play time on this level
    double activeSecondsPerFight = 0; // walking and fighting, not waiting, for each fight
    Arrival medianArrival;
    std::vector<FightStats> oneOnOne; // one row per monster type, in first-placed order
};

struct Settings {
    int descents = 1000;
    int fights = 400; // per monster type and level
    int threads = 2;
    uint64_t firstSeed = 1;
    BotSettings bot = {};
};

struct DescentReport {
    int descents = 0;
    int32_t userLife = 0;
    double completion = 0;    // one-life descents that cleared the last level
    double medianReloads = 0; // with a reload after every death; above the cap when not finished
    int weakStarts = 0;       // descents starting at melee 10 to 12
    double weakReachFourth = 0;
    double waitShare = 0; // of all play time
    std::vector<LevelReport> levels;
};

DescentReport measureDescent(const std::string& dataFolder, const Settings& settings);

} // namespace gloamfell::balance
