#pragma once
// Tile sheets as the game draws them and the art maker paints them.

namespace gf {

inline constexpr int kTile = 32;        // pixels per cell and per sheet tile, both ways
inline constexpr int kTilesPerRow = 10; // tiles per row of a sheet

// Top-left pixel of tile n in a sheet.
constexpr int tileX(int n) {
    return n % kTilesPerRow * kTile;
}
constexpr int tileY(int n) {
    return n / kTilesPerRow * kTile;
}

} // namespace gf
