#include "map/map_file.h"

#include "creatures/creature_table.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/level_file.h"
#include "map/walls.h"
#include "state/game.h"
#include "state/guard.h"
#include "state/version.h"
#include "util/files.h"
#include "util/text.h"

#include <map>
#include <string_view>

namespace gf {

namespace {

// Catalogue names of the weapon and armour characters, looked up once per level.
class NamedItems {
public:
    explicit NamedItems(Game& g) : g_(g) {}

    int16_t id(char c) {
        const char* name = gearName(c);
        if (!name) return 0;
        const auto [it, added] = ids_.try_emplace(c, 0);
        if (added) it->second = itemIdByName(g_, name);
        return it->second;
    }

private:
    Game& g_;
    std::map<char, int16_t> ids_;
};

void placeCell(Game& g, NamedItems& named, char c, int32_t x, int32_t y) {
    if (isWallChar(c)) {
        addItem(g, ItemId::StoneWall, x, y);
        return;
    }
    if (isDoorChar(c)) {
        addItem(g, ItemId::DoorClosedEW, x, y);
        return;
    }
    switch (c) {
    case 'g':
        addItem(g, ItemId::SmallGold, x, y);
        return;
    case 'G':
        addItem(g, ItemId::LargeGold, x, y);
        return;
    case 'e':
        addItem(g, ItemId::StairsDown, x, y);
        return;
    case 'E':
        addItem(g, ItemId::StairsUp, x, y);
        return;
    case 'S':
    case 's':
        g.level.startX = x;
        g.level.startY = y;
        return;
    default:
        break;
    }
    if (isMonsterChar(c)) {
        addCreature(g, static_cast<int16_t>(c - '0'), x, y);
        return;
    }
    // A weapon or armour missing from the catalogue leaves plain floor.
    if (const int16_t id = named.id(c); id > 0) addItem(g, id, x, y);
}

} // namespace

void loadLevel(Game& g, const std::string& path) {
    guarded(g, "modMap_Load", [&] {
        // The whole file is read before anything is cleared, so a bad file leaves the level as it was.
        const std::string contents = readDataFile(path);
        BoxFindings findings(g, path);
        const LevelFile level = readLevelFile(contents, path, findings);
        findings.finish();
        setUpLevel(g, level);
    });
}

void setUpLevel(Game& g, const LevelFile& level) {
    guarded(g, "modMap_Setup", [&] {
        clearLevel(g, level.name.value);
        g.level.name = level.name.value;
        g.level.lower = level.lower.value;
        g.level.upper = level.upper.value;
        g.level.startX = 0;
        g.level.startY = 0;
        NamedItems named(g);
        for (int32_t y = 0; y < static_cast<int32_t>(level.rows.size()); ++y) {
            const std::string& row = level.rows[static_cast<std::size_t>(y)].cells;
            for (std::size_t x = 0; x < row.size(); ++x)
                placeCell(g, named, row[x], static_cast<int32_t>(x), y);
        }
        joinWalls(g);
    });
}

void clearLevel(Game& g, const std::string& name) {
    g.level.itemAt.create();
    g.level.creatureAt.create();
    g.level.visible.create();
    g.level.light.create();
    loadItemCatalogue(g);
    for (int32_t i = 1; i <= g.creatures.size(); ++i) {
        Creature& p = g.creatures(i);
        if (!p.active) continue;
        if (i == g.creatures.current)
            g.level.creatureAt(p.x, p.y) = i;
        else
            removeCreature(g, i);
    }
    setLevelCaption(g, name);
}

void setLevelCaption(Game& g, const std::string& levelName) {
    g.screen.caption = "Gloamfell (ver " + std::string(kVersion) + ")  : " + levelName;
    g.io.window.setCaption(g.screen.caption);
}

} // namespace gf
