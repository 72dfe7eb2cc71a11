#pragma once
// Sizes shared by the view, the panel and both front ends.
#include "render/tile_geometry.h"

#include <cstdint>

namespace gf {

inline constexpr int kStatusWidth = 240; // the side panel, beside the view
inline constexpr int kDefaultViewWidth = 640;
inline constexpr int kDefaultViewHeight = 480;
inline constexpr int kCarryScrollMin = 1;
inline constexpr int kCarryScrollMax = 13;
inline constexpr int kCarryScrollStep = 4;

// The message lines over the bottom of the view, oldest at the top: line i of
// the twenty has its top at height - kMessageColumnTop + i * kMessagePointSize,
// so the newest stands 25 pixels above the bottom edge.
inline constexpr int kMessagePointSize = 16;
inline constexpr int kMessageColumnTop = 345;
inline constexpr int kMessageLeft = 5;

// A damage number over its cell's tile: one digit stands further in, so it
// looks centred as the longer ones do.
inline constexpr int kDamagePointSize = 12;
inline constexpr int kDamageTop = 5;
inline constexpr int kDamageOneDigitLeft = 6;

// "Paused" on a black box a quarter down the view. The text is not measured:
// its width at 24 points bold is taken as 130 pixels, so it stands near the
// middle of the box whatever font the desktop gives.
inline constexpr int kPausedPointSize = 24;
inline constexpr int kPausedBoxWidth = 180;
inline constexpr int kPausedBoxHeight = 48;
inline constexpr int kPausedTextWidth = 130;
inline constexpr int kPausedTextRise = 18; // the text's top above the box's middle

// Only the last two decimal digits of an item's image number pick its tile;
// a negative number keeps its sign, and no tile.
constexpr int itemTile(int64_t image) {
    return static_cast<int>(image % 100);
}

// The view is drawn at whole multiples of its pixels; a zoomed view shows fewer cells.
inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 4;
// The canvas length that covers `pixels` of the screen at `zoom`.
constexpr int zoomedLength(int pixels, int zoom) {
    return (pixels + zoom - 1) / zoom;
}

} // namespace gf
