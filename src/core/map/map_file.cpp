#include "map/map_file.h"

#include "creatures/creature_table.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/walls.h"
#include "shell/files.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/reading_warnings.h"
#include "shell/text.h"
#include "shell/version.h"

#include <string_view>

namespace gf {

namespace {

constexpr std::size_t kMaxRowLength = 100;

class MapReader {
public:
    MapReader(Game& g, const std::string& path) : path_(path), warnings_(g, path, "a level file") {}

    void line(std::string_view line) {
        if (!line.empty() && line.front() == ';') return;
        if (isBlankLine(line)) return;
        if (startsWithKey(line, "MAP=")) {
            data.Name = trimSpaces(line.substr(4));
        } else if (startsWithKey(line, "LOWER=")) {
            data.Lower = trimSpaces(line.substr(6));
        } else if (startsWithKey(line, "UPPER=")) {
            data.Upper = trimSpaces(line.substr(6));
        } else if (line.front() == 'X' || line.front() == 'x') {
            row(line);
        } else {
            warnings_.warn("Unknown line found in " + path_ + "\r\n" + ReadingWarnings::shown(line));
        }
    }

    MapFileData data;

private:
    void row(std::string_view line) {
        std::string trimmed = trimSpaces(line);
        if (trimmed.size() > kMaxRowLength || rows_ >= data.Lines.size()) {
            warnings_.warn("Map too big!", "FATAL ERROR! DIE! DIE!", Icon::Critical);
            return;
        }
        data.Lines[rows_++] = std::move(trimmed);
    }

    const std::string& path_;
    ReadingWarnings warnings_;
    std::size_t rows_ = 0;
};

// Catalogue names of the weapon and armour characters, looked up once per level.
class NamedItems {
public:
    explicit NamedItems(Game& g) : g_(g) {}

    int16_t id(char c) {
        for (std::size_t i = 0; i < kChars.size(); ++i) {
            if (kChars[i] != c) continue;
            if (ids_[i] < 0) ids_[i] = modItem_ID(g_, kNames[i]);
            return ids_[i];
        }
        return 0;
    }

private:
    static constexpr std::string_view kChars = "!@#$%[]\\";
    static constexpr std::array<const char*, 8> kNames = {
        "dagger",      "short sword",        "long sword",         "broad sword",
        "great sword", "soft leather armor", "hard leather armor", "studded leather armor"};

    Game& g_;
    std::array<int16_t, 8> ids_{-1, -1, -1, -1, -1, -1, -1, -1};
};

void placeCell(Game& g, NamedItems& named, char c, int32_t x, int32_t y) {
    switch (c) {
    case 'X':
    case 'x':
        modItem_Add(g, ItemId::StoneWall, x, y);
        return;
    case 'D':
    case 'd':
        modItem_Add(g, ItemId::DoorClosedEW, x, y);
        return;
    case 'g':
        modItem_Add(g, ItemId::SmallGold, x, y);
        return;
    case 'G':
        modItem_Add(g, ItemId::LargeGold, x, y);
        return;
    case 'e':
        modItem_Add(g, ItemId::StairsDown, x, y);
        return;
    case 'E':
        modItem_Add(g, ItemId::StairsUp, x, y);
        return;
    case 'S':
    case 's':
        g.StartX = x;
        g.StartY = y;
        return;
    default:
        break;
    }
    if (c >= '1' && c <= '9') {
        modPlayer_Add(g, static_cast<int16_t>(c - '0'), x, y);
        return;
    }
    // A weapon or armour missing from the catalogue leaves plain floor.
    if (const int16_t id = named.id(c); id > 0) modItem_Add(g, id, x, y);
}

} // namespace

void modMap_Load(Game& g, const std::string& path) {
    guarded(g, "modMap_Load", [&] {
        // The whole file is read before anything is cleared, so a bad file leaves the level as it was.
        const std::string contents = readDataFile(path);
        MapReader reader(g, path);
        forEachLine(contents, [&](std::string_view line) { reader.line(line); });
        modMap_Setup(g, reader.data);
    });
}

void modMap_Setup(Game& g, const MapFileData& data) {
    guarded(g, "modMap_Setup", [&] {
        modMap_Clear(g, data.Name);
        g.MapName = data.Name;
        g.MapLower = data.Lower;
        g.MapUpper = data.Upper;
        g.StartX = 0;
        g.StartY = 0;
        NamedItems named(g);
        for (int32_t y = 0; y <= kMapUpper; ++y) {
            const std::string& row = data.Lines[static_cast<std::size_t>(y)];
            if (row.empty()) break;
            for (std::size_t x = 0; x < row.size(); ++x)
                placeCell(g, named, row[x], static_cast<int32_t>(x), y);
        }
        modMap_Fix_Walls(g);
    });
}

void modMap_Clear(Game& g, const std::string& name) {
    g.MapItem.create();
    g.MapPlayer.create();
    g.MapVisible.create();
    g.MapLight.create();
    modItem_Init(g);
    for (int32_t i = 1; i <= g.Players.ubound(); ++i) {
        Player& p = g.Players(i);
        if (!p.Active) continue;
        if (i == g.CurrentPlayer)
            g.MapPlayer(p.X, p.Y) = i;
        else
            modPlayer_Remove(g, i);
    }
    g.Caption = "Gloamfell (ver " + std::string(kVersion) + ")  : " + name;
    g.io.window.setCaption(g.Caption);
}

} // namespace gf
