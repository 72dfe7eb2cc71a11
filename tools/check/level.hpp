#pragma once
// A level file, read as the game reads it, with the line of every row and key.
#include "check/fault.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace gloamfell::tools {

struct Cell {
    int x = 0, y = 0;
};

struct Row {
    std::string cells;
    int line = 0;
};

struct HeaderKey {
    std::string value;
    int line = 0; // 0 when the file never gives the key
};

struct Level {
    std::string file; // e.g. murkhol2.map
    HeaderKey name, lower, upper;
    std::vector<Row> rows; // only the rows the game keeps, so rows[y] is cell row y

    // Cells beyond the rows are empty floor on the 101 x 101 grid.
    bool covers(int x, int y) const;
    char at(int x, int y) const; // ' ' where not covered
    int lineOf(int y) const { return rows[std::size_t(y)].line; }
    std::vector<Cell> cellsOf(std::string_view chars) const;
};

inline constexpr int kMaxRowLength = 100;
inline constexpr int kMaxRows = 101;

bool isWall(char c);
bool isDoor(char c);
bool isMonster(char c);
// Anything the game places as an item, walls included.
bool placesItem(char c);
// The catalogue name a weapon or armour character places, or nullptr.
const char* gearName(char c);

std::string at(Cell c); // "(x,y)"

// Line faults: unknown lines, rows too long, rows too many.
Level readLevel(const std::string& text, const std::string& file, Faults& faults);

// Faults within one level: start cell, doors, enclosure, reachable stairs,
// stairs keys without stairs.
void checkLevel(const Level& level, Faults& faults);

} // namespace gloamfell::tools
