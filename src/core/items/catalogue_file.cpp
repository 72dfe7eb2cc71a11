#include "items/catalogue_file.h"

#include "util/text.h"

#include <array>
#include <span>

namespace gf {

bool isSkippedLine(std::string_view line) {
    return (!line.empty() && line.front() == ';') || isBlankLine(line);
}

std::string valueAfter(std::string_view line, std::string_view key) {
    return trimSpaces(line.substr(key.size()));
}

bool isNumber(const std::string& text) {
    try {
        parseNumber(text);
        return true;
    } catch (const Failure& f) {
        return std::string_view(f.what()) == kOverflow;
    }
}

int64_t CatalogueEntry::number(std::string_view key) const {
    const auto it = numbers.find(key);
    return it == numbers.end() ? 0 : it->second;
}

int CatalogueEntry::lineOf(std::string_view key) const {
    const auto it = lines.find(key);
    return it == lines.end() ? line : it->second;
}

const CatalogueEntry* CatalogueFile::find(int number) const {
    const auto it = entries.find(number);
    return it == entries.end() ? nullptr : &it->second;
}

int16_t CatalogueFile::idOf(const std::string& name) const {
    for (const auto& [n, e] : entries)
        if (sameName(e.name, name)) return static_cast<int16_t>(n);
    return 0;
}

namespace {

enum class Kind { Start, Text, Number, Flag, DeadItem };
enum class Width { Int16, Int32, UInt8 };

struct Key {
    std::string_view text; // as matched, '=' included for valued keys
    Kind kind;
    Width width = Width::Int32;
};

struct Format {
    const char* file;
    std::span<const Key> keys; // in the order the game tries them; the start key first
    const char* block;         // what a line outside any entry is not inside
    const char* noEntries;     // the failure when no start line numbers an entry
    bool lineFirst;            // the unknown-line box shows the line above its words
};

constexpr std::array kItemKeys{Key{"ITEM=", Kind::Start, Width::Int16},
                               Key{"NAME=", Kind::Text},
                               Key{"IMAGE=", Kind::Number, Width::Int16},
                               Key{"DAMAGE=", Kind::Number},
                               Key{"ARMOR=", Kind::Number},
                               Key{"BLOCKMOVEMENT", Kind::Flag},
                               Key{"MOVABLE", Kind::Flag}};
constexpr std::array kMonsterKeys{Key{"MONSTER=", Kind::Start, Width::Int16},
                                  Key{"NAME=", Kind::Text},
                                  Key{"IMAGE=", Kind::Number, Width::Int16},
                                  Key{"LEVEL=", Kind::Number},
                                  Key{"LIFE=", Kind::Number},
                                  Key{"STAMINA=", Kind::Number},
                                  Key{"SIGHTRANGE=", Kind::Number},
                                  Key{"MELEE=", Kind::Number},
                                  Key{"DEADITEM=", Kind::DeadItem, Width::Int16},
                                  Key{"SOUNDID=", Kind::Number, Width::UInt8}};

const Format kItems{"item.ini", kItemKeys, "an ITEM= block", kSubscriptOutOfRange, true};
const Format kMonsters{"monster.ini", kMonsterKeys, "a MONSTER= block",
                       "No MONSTER= line with a number of 1 or more", false};

int64_t floored(const std::string& value, Width width) {
    switch (width) {
    case Width::Int16:
        return flooredValue<int16_t>(value);
    case Width::UInt8:
        return flooredValue<uint8_t>(value);
    default:
        return flooredValue<int32_t>(value);
    }
}

std::string bare(std::string_view key) {
    return std::string(key.substr(0, key.find('=')));
}

const Key* keyOf(const Format& format, std::string_view line) {
    for (const Key& k : format.keys)
        if (startsWithKey(line, k.text)) return &k;
    return nullptr;
}

class Reader {
public:
    Reader(const Format& format, const ItemLookup* items, Findings& findings)
        : format_(format), items_(items), findings_(findings) {}

    CatalogueFile read(const std::string& contents) {
        // The catalogue is sized first, from the start lines alone.
        if (!eachLine(contents, [&](std::string_view line) { size(line); })) return std::move(file_);
        file_.sized = true;
        if (file_.highest < 1) {
            findings_.failure({format_.file, 0, format_.noEntries, {}});
            return std::move(file_);
        }
        file_.current = 0;
        eachLine(contents, [&](std::string_view line) { entryLine(line); });
        return std::move(file_);
    }

private:
    // False when a line failed, which ends the reading.
    template <class Visit> bool eachLine(const std::string& contents, Visit&& visit) {
        lineNo_ = 0;
        bool stopped = false;
        forEachLine(contents, [&](std::string_view line) {
            ++lineNo_;
            if (stopped) return;
            try {
                visit(line);
            } catch (const Failure& f) {
                findings_.failure({format_.file, lineNo_, f.what(), {}});
                stopped = true;
            }
        });
        return !stopped;
    }

    void size(std::string_view line) {
        const Key& start = format_.keys.front();
        if (!startsWithKey(line, start.text)) return;
        const auto n = flooredValue<int16_t>(valueAfter(line, start.text));
        if (n > file_.highest) file_.current = file_.highest = n;
    }

    void entryLine(std::string_view line) {
        if (isSkippedLine(line)) return;
        const Key* key = keyOf(format_, line);
        if (!key) {
            unknown(line);
            return;
        }
        const std::string value = valueAfter(line, key->text);
        int64_t n = 0;
        if (key->kind == Kind::Start || key->kind == Kind::Number) n = floored(value, key->width);
        if (key->kind == Kind::DeadItem) n = deadItem(value);
        if (key->kind == Kind::Start) {
            file_.current = static_cast<int16_t>(n);
            if (n >= 1) file_.entries.try_emplace(static_cast<int>(n)).first->second.line = lineNo_;
            return;
        }
        if (file_.current < 1 || file_.current > file_.highest)
            fail(std::string(kSubscriptOutOfRange) + ": \"" + shownInBox(line) + "\" is not inside " +
                 format_.block + " numbered 1 or more");
        CatalogueEntry& e = file_.entries[file_.current];
        const std::string name = bare(key->text);
        e.lines[name] = lineNo_;
        if (key->kind == Kind::Text)
            e.name = value;
        else if (key->kind == Kind::Flag)
            e.flags.insert(name);
        else
            e.numbers[name] = n;
        if (key->kind == Kind::DeadItem) e.texts[name] = value;
    }

    // A number is an item number, anything else an item's name. An empty
    // value, a number of 0 or below and an unknown name all leave nothing.
    int64_t deadItem(const std::string& value) {
        if (value.empty()) return 0;
        if (!isNumber(value)) return items_->idOf(value);
        const auto id = flooredValue<int16_t>(value);
        if (id > items_->highest) fail("Dead item " + std::to_string(id) + " is not in item.ini");
        return id;
    }

    void unknown(std::string_view line) {
        const std::string words = std::string("Unknown line found in ") + format_.file;
        const std::string shown = shownInBox(line);
        findings_.warning({format_.file, lineNo_, "unknown line " + quoted(line),
                           format_.lineFirst ? shown + "\r\n" + words : words + "\r\n" + shown});
    }

    const Format& format_;
    const ItemLookup* items_;
    Findings& findings_;
    CatalogueFile file_;
    int lineNo_ = 0;
};

} // namespace

CatalogueFile readItemCatalogue(const std::string& contents, Findings& findings) {
    return Reader(kItems, nullptr, findings).read(contents);
}

CatalogueFile readMonsterCatalogue(const std::string& contents, const ItemLookup& items, Findings& findings) {
    return Reader(kMonsters, &items, findings).read(contents);
}

} // namespace gf
