#pragma once
// The whole-level overview (M): what the level holds, the way on marked apart
// from the walls, and a legend.
#include "platform/canvas.h"

#include <cstdint>

namespace gf {
struct Game;

constexpr Color rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red + 256 * green + 65536 * blue;
}

// Colours chosen to stand apart on the light parchment behind the overview.
inline constexpr Color kOverviewWall = kBlack;
inline constexpr Color kOverviewDoor = rgb(139, 69, 19);
inline constexpr Color kOverviewStairsDown = rgb(123, 31, 162);
inline constexpr Color kOverviewStairsUp = rgb(21, 101, 192);
inline constexpr Color kOverviewGold = rgb(212, 160, 23);
inline constexpr Color kOverviewItem = rgb(46, 125, 50);
inline constexpr Color kOverviewYou = kRed;
// Faint lines through the user's cell, under everything else, to find it at a glance.
inline constexpr Color kOverviewCrosshair = rgb(232, 160, 150);

// The colour an item of this catalogue number is marked in.
Color overviewColor(int16_t itemId);
// Draws the overview over the cleared canvas.
void drawOverview(Game& g);

} // namespace gf
