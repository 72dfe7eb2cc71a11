#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace gloamfell::tools {

using Problems = std::vector<std::string>;

struct Level {
    std::string file; // without .map
    std::string name, lower, upper;
    std::vector<std::string> rows;

    // Cells outside the drawn rows read as ' ' (open floor outside the walls).
    char at(int x, int y) const;
};

Level parseLevel(const std::string& text, const std::string& file);

// True for a cell a creature arriving by stairs can stand on.
bool isFreeFloor(char c);

// Start cell, row sizes, enclosure, doors in straight walls, stairs reachable.
Problems checkLevel(const Level& level);

// Stairs between a level and the one its stairs down lead to.
Problems checkStairs(const Level& upper, const Level& lower);

struct Entry {
    std::map<std::string, std::string> values; // keys upper-cased
    std::set<std::string> flags;

    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
    int number(const std::string& key, int fallback = 0) const;
    std::string text(const std::string& key) const;
};

// Parses item.ini or monster.ini style text; entries start at startKey=n.
std::map<int, Entry> parseCatalogue(const std::string& text, const std::string& startKey, Problems& problems);

Problems checkItems(const std::map<int, Entry>& items);
Problems checkMonsters(const std::map<int, Entry>& monsters, const std::map<int, Entry>& items);

// Every check above over a data folder, plus line ends and item art.
Problems checkDataFolder(const std::filesystem::path& folder);

} // namespace gloamfell::tools
