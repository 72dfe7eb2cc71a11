#include "map/random_level.h"

#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "map/map_file.h"
#include "map/walls.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"

#include <array>

namespace gf {

namespace {

constexpr int32_t kRoomSize = 10;
constexpr int32_t kLastRoom = 90;

struct Offset {
    int32_t x;
    int32_t y;
};

// Monster cells in the order they are filled, relative to the room's corner.
constexpr std::array<Offset, 2> kPair{{{5, 5}, {6, 5}}};
constexpr std::array<Offset, 4> kSquare{{{5, 5}, {6, 5}, {5, 6}, {6, 6}}};
constexpr std::array<Offset, 6> kSixWestFirst{{{5, 5}, {6, 5}, {5, 6}, {6, 6}, {4, 5}, {5, 4}}};
constexpr std::array<Offset, 6> kSixNorthFirst{{{5, 5}, {6, 5}, {5, 6}, {6, 6}, {5, 4}, {4, 5}}};

constexpr int16_t kFirstRareItem = 27;

// A whole number 0 to 99 from one draw.
int32_t percent(Game& g) {
    return floorTo(g.draw() * 100.0f);
}

template <std::size_t N>
void addMonsters(Game& g, int16_t type, const std::array<Offset, N>& cells, int32_t x0, int32_t y0) {
    for (const Offset& c : cells)
        addCreature(g, type, x0 + c.x, y0 + c.y);
}

void deleteItemAt(Game& g, int32_t x, int32_t y) {
    removeItem(g, g.level.itemAt(x, y));
}

void addWalls(Game& g) {
    for (int32_t x0 = 0; x0 <= kLastRoom; x0 += kRoomSize)
        for (int32_t y0 = 0; y0 <= kLastRoom; y0 += kRoomSize)
            for (int32_t k = 0; k <= kRoomSize; ++k) {
                addItem(g, ItemId::StoneWall, x0, y0 + k);
                addItem(g, ItemId::StoneWall, x0 + kRoomSize, y0 + k);
                addItem(g, ItemId::StoneWall, x0 + k, y0);
                addItem(g, ItemId::StoneWall, x0 + k, y0 + kRoomSize);
            }
}

void populateRoom(Game& g, int32_t x0, int32_t y0) {
    const int32_t m = percent(g);
    if (m <= 25)
        addMonsters(g, 1, kPair, x0, y0);
    else if (m <= 50)
        addMonsters(g, 2, kPair, x0, y0);
    else if (m <= 70)
        addMonsters(g, 1, kSquare, x0, y0);
    else if (m <= 90)
        addMonsters(g, 2, kSquare, x0, y0);
    else if (m <= 95)
        addMonsters(g, 1, kSixWestFirst, x0, y0);
    else
        addMonsters(g, 2, kSixNorthFirst, x0, y0);

    const int32_t n = percent(g);
    int16_t item = 0;
    if (n <= 20)
        item = ItemId::SmallGold;
    else if (n <= 35)
        item = ItemId::LargeGold;
    else if (n <= 43)
        item = static_cast<int16_t>(kFirstRareItem + (n - 36));
    if (item != 0) addItem(g, item, x0 + 5, y0 + 5);
}

} // namespace

void createRandomLevel(Game& g) {
    guarded(g, "modMap_Create_Random", [&] {
        clearLevel(g, "Random");
        addWalls(g);
        for (int32_t x0 = 0; x0 <= kLastRoom; x0 += kRoomSize) {
            for (int32_t y0 = 0; y0 <= kLastRoom; y0 += kRoomSize) {
                if (g.draw() > 0.5f) deleteItemAt(g, x0, y0 + 5);
                if (g.draw() > 0.5f) {
                    deleteItemAt(g, x0 + 5, y0);
                    deleteItemAt(g, x0 + 6, y0);
                }
                if (g.draw() > 0.5f) deleteItemAt(g, x0 + 5, y0 + kRoomSize);
                // The start room stays empty.
                if (x0 == 0 && y0 == 0) continue;
                populateRoom(g, x0, y0);
            }
        }
        joinWalls(g);
        g.level.name = "Random";
        g.level.startX = 2;
        g.level.startY = 2;
    });
}

} // namespace gf
