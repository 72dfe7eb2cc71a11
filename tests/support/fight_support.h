#pragma once
// Levels for the play and fight tests: an empty level with the user's
// creature and monsters placed by hand, sound on, and a few extra items.
#include "test_game.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gf::test {

// Catalogue numbers of the extra items in fightItemIni().
namespace FightItem {
inline constexpr int16_t Dagger = 26;       // damage 3
inline constexpr int16_t SoftLeather = 27;  // armour 2
inline constexpr int16_t RatCarcass = 28;   // what a rat leaves
inline constexpr int16_t Stick = 29;        // damage 1
inline constexpr int16_t Club = 30;         // damage 12
inline constexpr int16_t SpikedShield = 31; // damage 3 and armour 2
inline constexpr int16_t Armor1 = 32;       // armour 1; the next ones 3, 4, 5 and 10
inline constexpr int16_t Armor3 = 33;
inline constexpr int16_t Armor4 = 34;
inline constexpr int16_t Armor5 = 35;
inline constexpr int16_t Armor10 = 36;
inline constexpr int16_t Pebble = 37; // movable, neither weapon nor armour
} // namespace FightItem

std::string fightItemIni();

// An empty level over fightItemIni(), the basic monsters and the skill catalogue, with sound on.
void prepareFightLevel(TestGame& t);

// Places the user's creature, named and with a known melee value; returns its index.
int32_t addUser(TestGame& t, int32_t x, int32_t y, int16_t facing = 6, int32_t melee = 15,
                const std::string& name = "Ana");

// Puts a copy of a catalogue item into the creature's carry slot.
void give(TestGame& t, int32_t creature, int32_t slot, int16_t id);

// Texts of the message lines in use, oldest first.
std::vector<std::string> shownMessages(Game& g);

// The play and fight tests' level at clock 50, before anyone is placed.
class FightLevel : public ::testing::Test {
protected:
    void SetUp() override {
        prepareFightLevel(t);
        t.io.clock.time = 50;
    }
    Player& user() { return g.Players(g.CurrentPlayer); }
    std::vector<int>& sounds() { return t.io.sound.played; }

    TestGame t;
    Game& g = t.game;
};

} // namespace gf::test
