#pragma once
// Sizes shared by the view, the panel and both front ends.
#include "render/tile_geometry.h"

namespace gf {

inline constexpr int kStatusWidth = 240; // picStatus, beside the view
inline constexpr int kDefaultViewWidth = 640;
inline constexpr int kDefaultViewHeight = 480;
inline constexpr int kCarryBoxes = 8;
inline constexpr int kSkillRows = 5;
inline constexpr int kCarryScrollMin = 1;
inline constexpr int kCarryScrollMax = 13;
inline constexpr int kCarryScrollStep = 4;

// The view is drawn at whole multiples of its pixels; a zoomed view shows fewer cells.
inline constexpr int kMinZoom = 1;
inline constexpr int kMaxZoom = 4;
// The canvas length that covers `pixels` of the screen at `zoom`.
constexpr int zoomedLength(int pixels, int zoom) {
    return (pixels + zoom - 1) / zoom;
}

} // namespace gf
