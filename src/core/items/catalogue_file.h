#pragma once
// item.ini and monster.ini: one reader for the game, the driver and the
// checker. Lines are read in order, keys in the first column in any case,
// numbers floored into their field; a value that cannot be read stops the
// reading, and what was read before it stands.
#include "state/findings.h"
#include "util/numeric.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// A comment (";" in the very first column) or an empty or all-space line.
bool isSkippedLine(std::string_view line);

// The rest of the line after a key, spaces trimmed.
std::string valueAfter(std::string_view line, std::string_view key);

template <class T> T flooredValue(const std::string& value) {
    return floorTo<T>(parseNumber(value));
}

// Whether parseNumber would take the text as a number (an overflow still counts as one).
bool isNumber(const std::string& text);

struct CatalogueEntry {
    int line = 0; // the last line that starts its block
    std::string name;
    std::map<std::string, int64_t, std::less<>> numbers;   // by key without '='
    std::map<std::string, std::string, std::less<>> texts; // values as written
    std::map<std::string, int, std::less<>> lines;         // the last line of each key
    std::set<std::string, std::less<>> flags;

    int64_t number(std::string_view key) const;
    bool has(std::string_view flag) const { return flags.count(flag) != 0; }
    // The line to point at for a key: where it was given, else the entry's start.
    int lineOf(std::string_view key) const;
};

struct CatalogueFile {
    bool sized = false;                    // the start lines were all read, so the catalogue is rebuilt
    int16_t highest = 0;                   // the catalogue holds entries 1 to highest
    std::map<int, CatalogueEntry> entries; // only numbers a start line names
    int16_t current = 0;                   // the entry being read when reading stopped

    bool usable() const { return sized && highest >= 1; }
    const CatalogueEntry* find(int number) const;
    // The lowest-numbered entry with that name, as the game looks items up.
    int16_t idOf(const std::string& name) const;
};

// What the monster catalogue needs of the item catalogue for DEADITEM.
struct ItemLookup {
    int32_t highest = 0;
    std::function<int16_t(const std::string&)> idOf;
};

CatalogueFile readItemCatalogue(const std::string& contents, Findings& findings);
CatalogueFile readMonsterCatalogue(const std::string& contents, const ItemLookup& items, Findings& findings);

} // namespace gf
