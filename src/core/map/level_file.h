#pragma once
// A level file: one reader for the game, the driver and the checker, keeping
// the line of every row and key so a fault can point at it.
#include "state/findings.h"

#include <string>
#include <string_view>
#include <vector>

namespace gf {

inline constexpr std::size_t kMaxRowLength = 100;
inline constexpr std::size_t kMaxRows = 101;

struct LevelCell {
    int x = 0, y = 0;
};

struct LevelRow {
    std::string cells;
    int line = 0;
};

struct HeaderKey {
    std::string value;
    int line = 0; // 0 when the file never gives the key
};

struct LevelFile {
    HeaderKey name, lower, upper;
    std::vector<LevelRow> rows; // only the rows the game keeps, so rows[y] is cell row y

    // Cells beyond the rows are empty floor.
    bool covers(int x, int y) const;
    char at(int x, int y) const; // ' ' where not covered
    int lineOf(int y) const { return rows[static_cast<std::size_t>(y)].line; }
    std::vector<LevelCell> cellsOf(std::string_view chars) const;
};

// Why `name` cannot name the level the stairs lead to, or empty when it can:
// the stairs read name + ".map" beside the other levels and nowhere else.
std::string levelNameProblem(std::string_view name);

LevelFile readLevelFile(const std::string& contents, const std::string& file, Findings& findings);

// What the characters of a row place.
bool isWallChar(char c);
bool isDoorChar(char c);
bool isMonsterChar(char c);
// The catalogue name a weapon or armour character places, or nullptr.
const char* gearName(char c);
// Anything placed as an item, walls included.
bool placesItem(char c);

} // namespace gf
