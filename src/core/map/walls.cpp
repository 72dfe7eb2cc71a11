#include "map/walls.h"

#include "map/map_file.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"

#include <array>

namespace gf {

namespace {

constexpr int kNorth = 8;
constexpr int kEast = 4;
constexpr int kSouth = 2;
constexpr int kWest = 1;

// The joined piece for each pattern of wall arms (a sum of the bits above);
// 0 keeps the present piece. North-east-west reuses the straight piece 3 and
// the four-way crossing reuses the T-junction 8.
constexpr std::array<int16_t, 16> kPieceForArms{
    0,  // none
    16, // W
    13, // S
    4,  // S W
    15, // E
    3,  // E W
    2,  // E S
    8,  // E S W
    14, // N
    7,  // N W
    5,  // N S
    11, // N S W
    6,  // N E
    3,  // N E W
    10, // N E S
    8,  // N E S W
};

bool isDoor(int16_t id) {
    return id >= ItemId::DoorClosedEW && id <= ItemId::DoorOpenNS;
}

} // namespace

bool Is_Stone_Wall(Game& g, int32_t x, int32_t y) {
    return guarded(g, "Is_Stone_Wall", [&] {
        if (!In_Map(x, y)) return false;
        const int32_t index = g.MapItem(x, y);
        if (index == 0) return false;
        const int16_t id = g.Items(index).ID;
        return id >= ItemId::StoneWall && id <= ItemId::DoorOpenNS;
    });
}

int16_t modMap_get_wall_connector(Game& g, int32_t item) {
    return guarded(g, "modMap_get_wall_connector", [&] {
        const Item& it = g.Items(item);
        const int16_t type = it.ID;
        const int32_t x = it.X;
        const int32_t y = it.Y;
        const bool east = Is_Stone_Wall(g, add32(x, 1), y);
        const bool west = Is_Stone_Wall(g, sub32(x, 1), y);
        const bool south = Is_Stone_Wall(g, x, add32(y, 1));
        const bool north = Is_Stone_Wall(g, x, sub32(y, 1));
        if (isDoor(type)) {
            if (north && south && !east && !west) return ItemId::DoorClosedNS;
            if (east && west && !north && !south) return ItemId::DoorClosedEW;
            return type;
        }
        const int arms =
            (north ? kNorth : 0) | (east ? kEast : 0) | (south ? kSouth : 0) | (west ? kWest : 0);
        const int16_t piece = kPieceForArms[static_cast<std::size_t>(arms)];
        return piece != 0 ? piece : type;
    });
}

void modMap_Fix_Walls(Game& g) {
    guarded(g, "modMap_Fix_Walls", [&] {
        for (int32_t x = 0; x <= kMapUpper; ++x) {
            for (int32_t y = 0; y <= kMapUpper; ++y) {
                const int32_t index = g.MapItem(x, y);
                if (index > 0 && Is_Stone_Wall(g, x, y))
                    g.Items(index).ID = modMap_get_wall_connector(g, index);
            }
        }
    });
}

} // namespace gf
