#pragma once
// item.ini and monster.ini, read line by line as the game reads them, with
// the line each value came from.
#include "check/fault.hpp"

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace gloamfell::tools {

struct Entry {
    int line = 0; // its first ITEM= or MONSTER= line
    std::string name;
    std::map<std::string, std::int64_t> numbers; // by key without '='
    std::map<std::string, std::string> texts;    // values kept as written (DEADITEM)
    std::map<std::string, int> lines;            // the last line of each key
    std::set<std::string> flags;
    std::set<std::string> broken; // keys whose value the game cannot read

    std::int64_t number(const std::string& key) const;
    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
    // The line to point at for a key: where it was given, else the entry's start.
    int lineOf(const std::string& key) const;
};

struct Catalogue {
    std::string file;
    bool usable = false; // read, and sized by at least one entry number
    std::int64_t highest = 0;
    std::map<int, Entry> entries; // only numbers that a start line names

    const Entry* find(int number) const;
    // The lowest-numbered entry with that name, as the game's lookup picks it.
    int idOf(const std::string& name) const;
};

Catalogue readItemCatalogue(const std::string& text, Faults& faults);
Catalogue readMonsterCatalogue(const std::string& text, Faults& faults);

// Roles the game gives fixed item numbers, flags and gear sanity.
void checkItems(const Catalogue& items, Faults& faults);
// Values that break drawing or combat, sounds and the items monsters leave.
void checkMonsters(const Catalogue& monsters, const Catalogue& items, Faults& faults);

} // namespace gloamfell::tools
