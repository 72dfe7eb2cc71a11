#pragma once
// A game over the scripted seam in a temporary program folder of its own.
#include "scripted_platform.h"
#include "shell/game.h"

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

// Texts of the message boxes shown so far, oldest first.
std::vector<std::string> boxTexts(const TestGame& t);

// Places items from a drawing whose top-left character is (x0, y0): X a stone
// wall, D a closed door, O an open door, g small gold, anything else nothing.
void draw(Game& g, int32_t x0, int32_t y0, const std::vector<std::string>& art);

// The catalogue number of the item on a cell, 0 for none.
int16_t idAt(Game& g, int32_t x, int32_t y);

// Lines joined with CR LF, as the data files are written.
std::string crlf(std::initializer_list<std::string> lines);

// A small item catalogue with every fixed number plus a dagger (26) and armour (27).
std::string basicItemIni();
// Monster 1 "rat" (level 1, life 6), monster 2 "goblin" (level 2, life 12).
std::string basicMonsterIni();

// Layers created, catalogues loaded from basicItemIni / basicMonsterIni, nothing placed.
void prepareEmptyLevel(TestGame& t);
// The same for a game over another platform that reads t's folder.
void prepareEmptyLevel(TestGame& t, Game& game);

} // namespace gf::test
