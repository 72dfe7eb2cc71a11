#include "check/datacheck.hpp"

#include "check/catalogue.hpp"
#include "check/level.hpp"
#include "check/sheet.hpp"
#include "map/sight.h"
#include "render/sizes.h"
#include "sound/sound.h"
#include "sound/wave_file.h"
#include "util/files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <system_error>

namespace gloamfell::tools {

namespace {

namespace fs = std::filesystem;

const std::string kDefaultLevel = "murkhol1.map";

class Folder {
public:
    explicit Folder(fs::path path) : path_(std::move(path)) {}

    // The file's bytes; a fault for the whole file when it is missing or unreadable.
    std::optional<std::string> read(const std::string& name, const std::string& whatFor,
                                    Faults& faults) const {
        const fs::path file = gf::fileIn(path_.string(), name); // as the game joins them
        const std::string why = whatFor.empty() ? "" : "; " + whatFor;
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) {
            faults.push_back({name, 0, "missing" + why});
            return std::nullopt;
        }
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            faults.push_back({name, 0, "cannot be read" + why});
            return std::nullopt;
        }
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::optional<std::string> readQuietly(const std::string& name) const {
        Faults ignored;
        return read(name, {}, ignored);
    }

private:
    fs::path path_;
};

std::string sizeOf(const Sheet& s) {
    return std::to_string(s.width()) + " x " + std::to_string(s.height()) + " pixels";
}

void checkItemPictures(const Folder& folder, const Catalogue& items, Faults& faults) {
    const auto bytes = folder.read("item.bmp", "every item is drawn from it", faults);
    if (!bytes) return;
    std::string error;
    const auto sheet = Sheet::read(*bytes, error);
    if (!sheet) {
        faults.push_back({"item.bmp", 0, "cannot be read: " + error});
        return;
    }
    if (!items.usable()) return;
    for (const auto& [n, e] : items.entries) {
        const auto image = e.number("IMAGE");
        const int tile = gf::itemTile(image);
        const std::string item = "item " + std::to_string(n) + " has IMAGE=" + std::to_string(image);
        if (!sheet->hasTile(tile))
            faults.push_back(
                {items.file, e.lineOf("IMAGE"),
                 item + ", but item.bmp (" + sizeOf(*sheet) + ") has no tile " + std::to_string(tile)});
        else if (sheet->tileIsBlank(tile))
            faults.push_back(
                {items.file, e.lineOf("IMAGE"),
                 item + ", but tile " + std::to_string(tile) + " of item.bmp is blank (all white)"});
    }
}

struct PlainSheet {
    const char* file;
    int lastTile; // the highest tile the game draws from it
    const char* use;
};

constexpr PlainSheet kPlainSheets[] = {
    {"background.bmp", 0, "the floor of every cell is drawn from it"},
    {"void.bmp", 0, "every cell out of sight is drawn from it"},
    {"light.bmp", gf::kUnlit, "the light of every cell is drawn from it"},
    {"damage.bmp", 0, "damage numbers are drawn on it"},
};

void checkPlainSheets(const Folder& folder, Faults& faults) {
    for (const PlainSheet& p : kPlainSheets) {
        const auto bytes = folder.read(p.file, p.use, faults);
        if (!bytes) continue;
        std::string error;
        const auto sheet = Sheet::read(*bytes, error);
        if (!sheet)
            faults.push_back({p.file, 0, "cannot be read: " + error + "; " + p.use});
        else if (!sheet->hasTile(p.lastTile))
            faults.push_back(
                {p.file, 0,
                 "(" + sizeOf(*sheet) + ") has no tile " + std::to_string(p.lastTile) + "; " + p.use});
    }
}

// The game shows a box for each sound it cannot load.
void checkSounds(const Folder& folder, Faults& faults) {
    for (const gf::SoundFile& s : gf::kSoundFiles) {
        const std::string name = s.file;
        const auto bytes = folder.read(name, "a sound effect", faults);
        if (!bytes) continue;
        gf::WaveData wave;
        if (const std::string why = gf::parseWave(*bytes, wave); !why.empty())
            faults.push_back({name, 0, "cannot be played: " + why});
    }
}

std::string sheetName(std::int64_t n) {
    return "player" + std::to_string(n) + ".bmp";
}

// Empty when the sheet can draw a creature, else what is wrong with it.
std::string creatureSheetFault(const Folder& folder, std::int64_t n) {
    const auto bytes = folder.readQuietly(sheetName(n));
    if (!bytes) return sheetName(n) + " is missing";
    std::string error;
    const auto sheet = Sheet::read(*bytes, error);
    if (!sheet) return sheetName(n) + " cannot be read: " + error;
    if (!sheet->hasTile(7))
        return sheetName(n) + " (" + sizeOf(*sheet) + ") lacks the eight 32-pixel frames of a creature";
    return {};
}

void checkCreaturePictures(const Folder& folder, const Catalogue& monsters, Faults& faults) {
    if (const std::string fault = creatureSheetFault(folder, 0); !fault.empty())
        faults.push_back({sheetName(0), 0, "the user's creature cannot be drawn: " + fault});
    if (!monsters.usable()) return;
    std::map<std::int64_t, std::string> sheetFaults;
    for (const auto& [n, m] : monsters.entries) {
        const auto image = m.number("IMAGE");
        const std::string id = "monster " + std::to_string(n);
        if (image < 0 || image > monsters.highest) {
            faults.push_back({monsters.file, m.lineOf("IMAGE"),
                              id + " has IMAGE=" + std::to_string(image) +
                                  ", but the game loads only player0.bmp to " + sheetName(monsters.highest) +
                                  ", one sheet per monster number"});
            continue;
        }
        if (!sheetFaults.count(image)) sheetFaults[image] = creatureSheetFault(folder, image);
        if (!sheetFaults[image].empty())
            faults.push_back(
                {monsters.file, m.lineOf("IMAGE"), id + " cannot be drawn: " + sheetFaults[image]});
    }
}

void checkPlacements(const Level& l, const Catalogue& items, const Catalogue& monsters, Faults& faults) {
    for (int y = 0; y < int(l.rows.size()); ++y)
        for (int x = 0; x < int(l.rows[std::size_t(y)].cells.size()); ++x) {
            const char c = l.at(x, y);
            const std::string what = std::string("'") + c + "' at " + at({x, y});
            if (const char* name = gf::gearName(c); name && items.usable() && items.idOf(name) == 0)
                faults.push_back(
                    {l.file, l.lineOf(y), what + " places \"" + name + "\", which item.ini lacks"});
            if (!gf::isMonsterChar(c) || !monsters.usable()) continue;
            const int type = c - '0';
            if (type > monsters.highest)
                faults.push_back({l.file, l.lineOf(y),
                                  what + " places monster " + std::to_string(type) +
                                      ", beyond monster.ini's highest number " +
                                      std::to_string(monsters.highest)});
            else if (!monsters.find(type))
                faults.push_back(
                    {l.file, l.lineOf(y),
                     what + " places monster " + std::to_string(type) + ", a blank entry of monster.ini"});
        }
}

// The gear the map characters place must be what they claim to be.
void checkGearKinds(const Catalogue& items, Faults& faults) {
    if (!items.usable()) return;
    for (char c : std::string("!@#$%[]\\")) {
        const int id = items.idOf(gf::gearName(c));
        if (id == 0) continue;
        const Entry& e = items.entries.at(id);
        const bool weapon = c != '[' && c != ']' && c != '\\';
        if (weapon ? e.number("DAMAGE") <= 0 : (e.number("DAMAGE") > 0 || e.number("ARMOR") <= 0))
            faults.push_back({items.file, e.line,
                              "item " + std::to_string(id) + " \"" + e.name + "\", placed by '" + c +
                                  "', is no " +
                                  (weapon ? "weapon: it needs a DAMAGE of 1 or more"
                                          : "armour: it needs an ARMOR of 1 or more and no DAMAGE")});
    }
}

struct Direction {
    char stairs;
    gf::HeaderKey gf::LevelFile::*key;
    char back;
    gf::HeaderKey gf::LevelFile::*backKey;
    const char* what;
    const char* keyName;
    const char* backKeyName;
};

constexpr Direction kDown{'e',    &gf::LevelFile::lower, 'E', &gf::LevelFile::upper, "stairs down", "LOWER",
                          "UPPER"};
constexpr Direction kUp{'E',    &gf::LevelFile::upper, 'e', &gf::LevelFile::lower, "stairs up", "UPPER",
                        "LOWER"};

class Levels {
public:
    Levels(const Folder& folder, std::map<std::string, Level> inFolder)
        : folder_(folder), levels_(std::move(inFolder)) {}

    // The level a key names, or nullptr when there is no such file.
    const Level* target(const std::string& name) {
        const std::string file = name + ".map";
        if (auto it = levels_.find(file); it != levels_.end()) return &it->second;
        // A level the listing lacks is looked for once more, and remembered as missing.
        if (auto it = outside_.find(file); it != outside_.end()) return it->second ? &*it->second : nullptr;
        std::optional<Level>& slot = outside_[file];
        if (const auto text = folder_.readQuietly(file)) {
            Faults ignored;
            slot = readLevel(*text, file, ignored);
        }
        return slot ? &*slot : nullptr;
    }

    const std::map<std::string, Level>& all() const { return levels_; }

private:
    const Folder& folder_;
    std::map<std::string, Level> levels_;
    std::map<std::string, std::optional<Level>> outside_;
};

std::string arrivalFault(const Level& to, Cell a) {
    if (!to.covers(a.x, a.y)) return "outside its rows";
    const char c = to.at(a.x, a.y);
    const std::string where = std::string(" '") + c + "' (line " + std::to_string(to.lineOf(a.y)) + ")";
    if (gf::isWallChar(c)) return "on a wall" + where;
    if (gf::placesItem(c)) return "on an item" + where;
    if (gf::isMonsterChar(c)) return "on a monster" + where;
    return {};
}

void checkStairs(const Level& from, const Direction& d, Levels& levels, Faults& faults) {
    const std::vector<Cell> stairs = from.cellsOf(std::string(1, d.stairs));
    if (stairs.empty()) return;
    const gf::HeaderKey& key = from.*d.key;
    const Level* to = key.value.empty() ? nullptr : levels.target(key.value);
    for (const Cell s : stairs) {
        const std::string head = std::string(d.what) + " at " + at(s);
        const int line = from.lineOf(s.y);
        if (key.value.empty()) {
            faults.push_back({from.file, line,
                              head + " lead nowhere: " +
                                  (key.line ? std::string(d.keyName) + "= is empty"
                                            : "no " + std::string(d.keyName) + "= line")});
            continue;
        }
        if (!to) {
            faults.push_back({from.file, line, head + " lead to " + key.value + ".map, which is missing"});
            continue;
        }
        if (const std::string fault = arrivalFault(*to, s); !fault.empty())
            faults.push_back(
                {from.file, line, head + " arrive at " + at(s) + " in " + to->file + " " + fault});
        // Two steps away keeps a creature that walks on after arriving off the way back.
        bool pairedBack = false;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                pairedBack = pairedBack || ((dx || dy) && to->at(s.x + dx, s.y + dy) == d.back);
        if (!pairedBack)
            faults.push_back({from.file, line,
                              head + " have no '" + std::string(1, d.back) +
                                  "' within two steps of their arrival cell in " + to->file +
                                  " to lead back"});
    }
    if (!to) return;
    const std::string stem = from.file.substr(0, from.file.size() - 4);
    const gf::HeaderKey& back = to->*d.backKey;
    if (back.value != stem && levels.all().count(to->file))
        faults.push_back({to->file, back.line,
                          std::string(d.backKeyName) + "=" + back.value + ", but the " + d.what + " of " +
                              from.file + " lead here"});
}

} // namespace

Faults checkDataFolder(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_directory(path, ec)) throw FolderUnreadable(path.string() + " is not a folder");
    std::vector<std::string> mapFiles;
    fs::directory_iterator it(path, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec))
        if (it->path().extension() == ".map" && it->is_regular_file(ec))
            mapFiles.push_back(it->path().filename().string());
    if (ec) throw FolderUnreadable("cannot list " + path.string() + ": " + ec.message());

    const Folder folder(path);
    Faults faults;
    Catalogue items({}, "item.ini"), monsters({}, "monster.ini");
    if (const auto text = folder.read("item.ini", "it is the item catalogue", faults))
        items = readItemCatalogue(*text, faults);
    if (const auto text = folder.read("monster.ini", "it is the monster catalogue", faults))
        monsters = readMonsterCatalogue(*text, items, faults);
    checkItems(items, faults);
    checkGearKinds(items, faults);
    checkMonsters(monsters, items, faults);
    checkPlainSheets(folder, faults);
    checkItemPictures(folder, items, faults);
    checkCreaturePictures(folder, monsters, faults);
    checkSounds(folder, faults);

    if (std::find(mapFiles.begin(), mapFiles.end(), kDefaultLevel) == mapFiles.end())
        faults.push_back({kDefaultLevel, 0, "missing; a new game starts on it"});
    std::map<std::string, Level> read;
    for (const std::string& file : mapFiles)
        if (const auto text = folder.read(file, "", faults)) read[file] = readLevel(*text, file, faults);
    Levels levels(folder, std::move(read));
    for (const auto& [file, level] : levels.all()) {
        checkLevel(level, faults);
        checkPlacements(level, items, monsters, faults);
        checkStairs(level, kDown, levels, faults);
        checkStairs(level, kUp, levels, faults);
    }

    std::stable_sort(faults.begin(), faults.end(), [](const Fault& a, const Fault& b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    return faults;
}

std::string summary(const Faults& faults) {
    if (faults.empty()) return "no faults";
    std::set<std::string> files;
    for (const Fault& f : faults)
        files.insert(f.file);
    const auto plural = [](std::size_t n, const char* word) {
        return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
    };
    return plural(faults.size(), "fault") + " in " + plural(files.size(), "file");
}

} // namespace gloamfell::tools
