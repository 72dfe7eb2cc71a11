#include "check/catalogue.hpp"

#include "check/lines.hpp"

#include <array>
#include <string_view>
#include <vector>

namespace gloamfell::tools {

namespace {

enum class Kind { Start, Text, Number, Flag, DeadItem };

struct Key {
    std::string_view text; // as matched, '=' included for valued keys
    Kind kind;
    NumberRange range = kInt32;
};

struct Format {
    std::string file;
    std::vector<Key> keys; // in the order the game tries them
};

const Format kItemFormat{"item.ini",
                         {{"ITEM=", Kind::Start, kInt16},
                          {"NAME=", Kind::Text},
                          {"IMAGE=", Kind::Number, kInt16},
                          {"DAMAGE=", Kind::Number, kInt32},
                          {"ARMOR=", Kind::Number, kInt32},
                          {"BLOCKMOVEMENT", Kind::Flag},
                          {"MOVABLE", Kind::Flag}}};

const Format kMonsterFormat{"monster.ini",
                            {{"MONSTER=", Kind::Start, kInt16},
                             {"NAME=", Kind::Text},
                             {"IMAGE=", Kind::Number, kInt16},
                             {"LEVEL=", Kind::Number, kInt32},
                             {"LIFE=", Kind::Number, kInt32},
                             {"STAMINA=", Kind::Number, kInt32},
                             {"SIGHTRANGE=", Kind::Number, kInt32},
                             {"MELEE=", Kind::Number, kInt32},
                             {"DEADITEM=", Kind::DeadItem, kInt16},
                             {"SOUNDID=", Kind::Number, kUInt8}}};

std::string bare(std::string_view key) {
    return std::string(key.substr(0, key.find('=')));
}

Catalogue readCatalogue(const std::string& text, const Format& format, Faults& faults) {
    Catalogue c;
    c.file = format.file;
    const std::vector<std::string> lines = splitLines(text);
    const Key& start = format.keys.front();
    // The game sizes the catalogue first, from the start lines alone.
    for (const std::string& line : lines) {
        std::int64_t n = 0;
        if (startsWithKey(line, start.text) &&
            readNumber(trimSpaces(std::string_view(line).substr(start.text.size())), start.range, n)
                .empty() &&
            n > c.highest)
            c.highest = n;
    }
    c.usable = c.highest >= 1;
    if (!c.usable)
        faults.push_back({c.file, 0, "no " + std::string(start.text) + " line with a number of 1 or more"});

    const std::string stops = " (the game stops reading " + c.file + " here)";
    // After a fault that stops the game's reading, the lines up to the next
    // entry would only repeat it.
    constexpr std::int64_t kQuiet = -1'000'000;
    std::int64_t current = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const int lineNo = int(i) + 1;
        if (isComment(line) || isBlank(line)) continue;
        const Key* key = nullptr;
        for (const Key& k : format.keys)
            if (startsWithKey(line, k.text)) {
                key = &k;
                break;
            }
        if (!key) {
            faults.push_back({c.file, lineNo, "unknown line " + shown(line)});
            continue;
        }
        if (current == kQuiet && key->kind != Kind::Start) continue;
        const std::string value = trimSpaces(std::string_view(line).substr(key->text.size()));
        std::int64_t n = 0;
        const bool numeric = key->kind == Kind::Start || key->kind == Kind::Number ||
                             (key->kind == Kind::DeadItem && looksLikeNumber(value));
        if (numeric) {
            const std::string why = readNumber(value, key->range, n);
            if (!why.empty()) {
                faults.push_back({c.file, lineNo, bare(key->text) + " value " + why + stops});
                if (key->kind == Kind::Start) current = kQuiet;
                if (current >= 1) c.entries.at(int(current)).broken.insert(bare(key->text));
                continue;
            }
        }
        if (key->kind == Kind::Start) {
            current = n;
            if (current >= 1) {
                const auto [it, added] = c.entries.try_emplace(int(current));
                if (added) it->second.line = lineNo;
            }
            continue;
        }
        if (current < 1) {
            faults.push_back(
                {c.file, lineNo,
                 "line outside any " + std::string(start.text) + " entry numbered 1 or more" + stops});
            current = kQuiet;
            continue;
        }
        Entry& e = c.entries.at(int(current));
        const std::string name = bare(key->text);
        e.lines[name] = lineNo;
        switch (key->kind) {
        case Kind::Text:
            e.name = value;
            break;
        case Kind::Flag:
            e.flags.insert(name);
            break;
        case Kind::DeadItem:
            e.texts[name] = value;
            if (numeric) e.numbers[name] = n;
            break;
        default:
            e.numbers[name] = n;
        }
    }
    return c;
}

std::string itemLabel(int n) {
    return "item " + std::to_string(n);
}

} // namespace

std::int64_t Entry::number(const std::string& key) const {
    const auto it = numbers.find(key);
    return it == numbers.end() ? 0 : it->second;
}

int Entry::lineOf(const std::string& key) const {
    const auto it = lines.find(key);
    return it == lines.end() ? line : it->second;
}

const Entry* Catalogue::find(int number) const {
    const auto it = entries.find(number);
    return it == entries.end() ? nullptr : &it->second;
}

int Catalogue::idOf(const std::string& name) const {
    for (const auto& [n, e] : entries)
        if (sameName(e.name, name)) return n;
    return 0;
}

Catalogue readItemCatalogue(const std::string& text, Faults& faults) {
    return readCatalogue(text, kItemFormat, faults);
}

Catalogue readMonsterCatalogue(const std::string& text, Faults& faults) {
    return readCatalogue(text, kMonsterFormat, faults);
}

void checkItems(const Catalogue& items, Faults& faults) {
    if (!items.usable) return;
    struct Role {
        int first, last;
        const char* what;
        bool blocks;
    };
    static constexpr std::array<Role, 10> kRoles{{{1, 16, "a wall piece", true},
                                                  {17, 17, "the closed east-west door", true},
                                                  {18, 18, "the open east-west door", false},
                                                  {19, 19, "the closed north-south door", true},
                                                  {20, 20, "the open north-south door", false},
                                                  {21, 21, "the stairs down", false},
                                                  {22, 22, "the stairs up", false},
                                                  {24, 24, "the small heap of gold", false},
                                                  {25, 25, "the large heap of gold", false},
                                                  {27, 34, "a room item of random levels", false}}};
    for (const Role& role : kRoles)
        for (int n = role.first; n <= role.last; ++n) {
            const Entry* e = items.find(n);
            if (!e) {
                faults.push_back(
                    {items.file, 0, itemLabel(n) + " is missing; the game uses it as " + role.what});
                continue;
            }
            if (n > 25) continue;
            if (e->has("BLOCKMOVEMENT") != role.blocks)
                faults.push_back({items.file, e->line,
                                  itemLabel(n) + (role.blocks ? " must" : " must not") +
                                      " have BLOCKMOVEMENT, as " + role.what});
            if (e->has("MOVABLE"))
                faults.push_back({items.file, e->lineOf("MOVABLE"),
                                  itemLabel(n) + " must not be MOVABLE, as " + role.what});
        }

    for (const auto& [n, e] : items.entries) {
        if (e.has("MOVABLE") && trimSpaces(e.name).empty())
            faults.push_back({items.file, e.line, itemLabel(n) + " can be carried but has no NAME"});
        if (!trimSpaces(e.name).empty()) {
            const int first = items.idOf(e.name);
            if (first != n)
                faults.push_back({items.file, e.lineOf("NAME"),
                                  "NAME \"" + e.name + "\" is already " + itemLabel(first) + " (line " +
                                      std::to_string(items.entries.at(first).lineOf("NAME")) +
                                      "); lookups by name find only that one"});
        }
        const bool weapon = e.number("DAMAGE") > 0, armour = e.number("ARMOR") > 0;
        if ((weapon || armour) && !e.has("MOVABLE"))
            faults.push_back({items.file, e.line, itemLabel(n) + " is a weapon or armour but not MOVABLE"});
        if (weapon && armour)
            faults.push_back({items.file, e.lineOf("ARMOR"),
                              itemLabel(n) + " has DAMAGE, so it is a weapon and its ARMOR never counts"});
    }
}

void checkMonsters(const Catalogue& monsters, const Catalogue& items, Faults& faults) {
    if (!monsters.usable) return;
    for (int n : {1, 2})
        if (!monsters.find(n))
            faults.push_back(
                {monsters.file, 0, "monster " + std::to_string(n) + " is missing; random levels place it"});
    for (const auto& [n, m] : monsters.entries) {
        const std::string id = "monster " + std::to_string(n);
        if (trimSpaces(m.name).empty()) faults.push_back({monsters.file, m.line, id + " has no NAME"});
        for (const char* key : {"LEVEL", "LIFE", "STAMINA", "SIGHTRANGE", "MELEE"})
            if (m.number(key) <= 0 && !m.broken.count(key))
                faults.push_back({monsters.file, m.lineOf(key), id + " needs a " + key + " of 1 or more"});
        if (m.number("SOUNDID") > 13)
            faults.push_back({monsters.file, m.lineOf("SOUNDID"),
                              id + " has SOUNDID " + std::to_string(m.number("SOUNDID")) +
                                  "; sounds run from 1 to 13 (0 is silent)"});
        const auto dead = m.texts.find("DEADITEM");
        if (dead == m.texts.end() || dead->second.empty() || !items.usable) continue;
        const int line = m.lineOf("DEADITEM");
        if (m.numbers.count("DEADITEM")) {
            const auto item = m.number("DEADITEM");
            if (item != 0 && (item < 1 || item > items.highest))
                faults.push_back({monsters.file, line,
                                  id + " leaves item " + std::to_string(item) +
                                      ", beyond item.ini's highest number " + std::to_string(items.highest) +
                                      " (the game stops reading monster.ini here)"});
            else if (item != 0 && !items.find(int(item)))
                faults.push_back(
                    {monsters.file, line,
                     id + " leaves item " + std::to_string(item) + ", a blank entry of item.ini"});
        } else if (items.idOf(dead->second) == 0) {
            faults.push_back(
                {monsters.file, line,
                 id + " leaves \"" + dead->second + "\", which item.ini lacks, so it leaves nothing"});
        }
    }
}

} // namespace gloamfell::tools
