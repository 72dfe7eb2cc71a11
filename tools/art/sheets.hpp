#pragma once

#include "../common/image.hpp"
#include "render/tile_geometry.h"

namespace gloamfell::tools {

using gf::kTile;
using gf::kTilesPerRow;
using gf::tileX;
using gf::tileY;

Image makeFloorSheet();
Image makeVoidSheet();
Image makeDamageSheet();
Image makeLightSheet();
Image makeItemSheet();
// 0 is the player's creature, 1 to 9 the monster types.
Image makeCreatureSheet(int creature);

// Arms of a wall piece, by the side of the tile they reach.
struct Arms {
    bool north = false, east = false, south = false, west = false;
};
Arms wallArms(int itemNumber);

// Environment tiles drawn into an item sheet cell.
void paintWall(Image& img, int ox, int oy, Arms arms);
void paintDoor(Image& img, int ox, int oy, bool eastWest, bool open);
void paintStairs(Image& img, int ox, int oy, bool down);

} // namespace gloamfell::tools
