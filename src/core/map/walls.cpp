#include "map/walls.h"

#include "map/wall_pieces.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"

namespace gf {

namespace {

bool isDoor(int16_t id) {
    return id >= ItemId::DoorClosedEW && id <= ItemId::DoorOpenNS;
}

} // namespace

bool isStoneWall(Game& g, int32_t x, int32_t y) {
    return guarded(g, "Is_Stone_Wall", [&] {
        if (!inMap(x, y)) return false;
        const int32_t index = g.level.itemAt(x, y);
        if (index == 0) return false;
        const int16_t id = g.items(index).id;
        return id >= ItemId::StoneWall && id <= ItemId::DoorOpenNS;
    });
}

int16_t wallConnector(Game& g, int32_t item) {
    return guarded(g, "modMap_get_wall_connector", [&] {
        const Item& it = g.items(item);
        const int16_t type = it.id;
        const int32_t x = it.x;
        const int32_t y = it.y;
        const bool east = isStoneWall(g, add32(x, 1), y);
        const bool west = isStoneWall(g, sub32(x, 1), y);
        const bool south = isStoneWall(g, x, add32(y, 1));
        const bool north = isStoneWall(g, x, sub32(y, 1));
        if (isDoor(type)) {
            if (north && south && !east && !west) return ItemId::DoorClosedNS;
            if (east && west && !north && !south) return ItemId::DoorClosedEW;
            return type;
        }
        const int arms =
            (north ? kArmNorth : 0) | (east ? kArmEast : 0) | (south ? kArmSouth : 0) | (west ? kArmWest : 0);
        const int16_t piece = kPieceForArms[static_cast<std::size_t>(arms)];
        return piece != 0 ? piece : type;
    });
}

void joinWalls(Game& g) {
    guarded(g, "modMap_Fix_Walls", [&] {
        for (int32_t x = 0; x <= kMapUpper; ++x) {
            for (int32_t y = 0; y <= kMapUpper; ++y) {
                const int32_t index = g.level.itemAt(x, y);
                if (isStoneWall(g, x, y)) g.items(index).id = wallConnector(g, index);
            }
        }
    });
}

} // namespace gf
