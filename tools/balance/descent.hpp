#pragma once
// The descent through the shipped levels as a player would make it: what each
// level holds, the profile a player arrives with, and the fights waiting there.
#include "arena.hpp"

#include <cstdint>
#include <map>
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
};

// The chain of levels from the default level down the LOWER= names.
std::vector<LevelContents> readDescent(const std::string& dataFolder);

struct FightStats {
    int16_t monster = 0;
    std::string name;
    int placed = 0; // how many the level holds
    double winRate = 0;
    double meanLifeLost = 0;
    int p90LifeLost = 0;
    double meanSeconds = 0;
};

struct LevelReport {
    LevelContents contents;
    int32_t arrivalLevel = 1; // the expected player's creature level and melee on arrival
    int32_t arrivalMelee = 0;
    Gear weapon; // the best gear found on the levels above; id 0 for none
    Gear armor;
    std::vector<FightStats> fights; // one row per monster type, in first-placed order
    double meanLifeLost = 0;        // over every monster the level holds
};

struct Settings {
    int fights = 4000;       // per table row
    int journeys = 200;      // whole descents behind the arrival profiles
    int32_t startMelee = 15; // a new creature's melee lies from 10 to 20
};

struct DescentReport {
    int32_t userLife = 0; // a user's creature's life, full
    std::vector<LevelReport> levels;
};

DescentReport measureDescent(const std::string& dataFolder, const Settings& settings);

} // namespace gloamfell::balance
