#pragma once

#include "../common/image.hpp"

namespace gloamfell::tools {

inline constexpr int kTile = 32;
inline constexpr int kTilesPerRow = 10;

// Top-left pixel of tile n in a sheet.
inline int tileX(int n) {
    return (n % kTilesPerRow) * kTile;
}
inline int tileY(int n) {
    return (n / kTilesPerRow) * kTile;
}

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
