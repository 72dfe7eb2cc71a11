#pragma once
// A game over the scripted seam in a temporary program folder of its own.
#include "scripted_platform.h"
#include "state/game.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace gf::test {

class TestGame {
public:
    TestGame();
    ~TestGame();
    TestGame(const TestGame&) = delete;
    TestGame& operator=(const TestGame&) = delete;

    // Writes a file into the program folder (CR LF is up to the caller).
    void write(const std::string& name, const std::string& contents);
    // Copies a file of the shipped data into the program folder.
    void copyData(const std::string& name);
    std::string path(const std::string& name) const { return (folder / name).string(); }

    ScriptedPlatform io;
    std::filesystem::path folder;
    Game game;
};

// Lines of text as boxes, messages and prompts show them.
using Texts = std::vector<std::string>;
// Texts of the message boxes shown so far, oldest first.
Texts boxTexts(const TestGame& t);
// Items from a drawing with its top-left at (x0, y0): X wall, D closed door, O open door, g gold.
void draw(Game& g, int32_t x0, int32_t y0, const std::vector<std::string>& art);
// The catalogue number of the item on a cell, 0 for none.
int16_t idAt(Game& g, int32_t x, int32_t y);

// `v` as the `bytes` little-endian bytes the binary formats store.
inline std::string le(int64_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// Lines joined with CR LF, as the data files are written.
std::string crlf(const std::vector<std::string>& lines);

// One item-catalogue entry: its number and name, then the given lines (IMAGE=, flags, DAMAGE=...).
std::string itemEntry(int id, const std::string& name, const std::vector<std::string>& lines = {});
// A small item catalogue with every fixed number plus a dagger (26) and armour (27).
std::string basicItemIni();
// Monster 1 "rat" (level 1, life 6), monster 2 "goblin" (level 2, life 12).
std::string basicMonsterIni();

// Layers created, catalogues loaded from basicItemIni / basicMonsterIni, nothing placed.
void prepareEmptyLevel(TestGame& t);
// The same for a game over another platform that reads t's folder.
void prepareEmptyLevel(TestGame& t, Game& game);
// An empty level of its own: a fixture's base, or made afresh for each case of a table.
struct EmptyLevel {
    EmptyLevel() { prepareEmptyLevel(t); }
    TestGame t;
    Game& g = t.game;
};

// The fight level's items: dagger 3, soft leather 2, carcass, stick 1, club 12, shield, armours 1 3 4 5 10.
namespace FightItem {
inline constexpr int16_t Dagger = 26, SoftLeather = 27, RatCarcass = 28, Stick = 29, Club = 30,
                         SpikedShield = 31, Armor1 = 32, Pebble = 37;
} // namespace FightItem

// An empty level over the fight level's items, the basic monsters and the skill catalogue, sound on.
void prepareFightLevel(TestGame& t);
// Places the user's creature, named and with a known melee value; returns its index.
int32_t addUser(TestGame& t, int32_t x, int32_t y, int16_t facing = 6, int32_t melee = 15,
                const std::string& name = "Ana");
// Puts a copy of a catalogue item into the creature's carry slot.
inline void give(TestGame& t, int32_t creature, int32_t slot, int16_t id) {
    t.game.creatures(creature).carry(slot) = Item{true, id, 0, 0, 0};
}
// Texts of the message lines in use, oldest first.
Texts shownMessages(Game& g);

// The play and fight tests' level at clock 50, before anyone is placed: a fixture's base, or one per case.
struct FightGame {
    FightGame() {
        prepareFightLevel(t);
        t.io.clock.time = 50;
    }
    Creature& user() { return g.creatures(g.creatures.current); }
    std::vector<int>& sounds() { return t.io.sound.played; }
    void draws(std::initializer_list<float> rs) {
        for (float r : rs)
            t.io.random.queue(r);
    }

    TestGame t;
    Game& g = t.game;
};
class FightLevel : public ::testing::Test, protected FightGame {};

} // namespace gf::test
