#include "map/directions.h"

#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"

#include <algorithm>
#include <cstdlib>

namespace gf {

namespace {

int sign(int64_t v) {
    return (v > 0) - (v < 0);
}

} // namespace

int16_t turnedBy(int16_t direction, int eighths) {
    const auto at = std::find(kClockwise.begin(), kClockwise.end(), direction) - kClockwise.begin();
    return kClockwise[static_cast<std::size_t>(((at + eighths) % 8 + 8) % 8)];
}

int16_t cellDistance(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return guarded(g, "modMap_Dist", [&] {
        int64_t dx = std::llabs(static_cast<int64_t>(x1) - x2);
        int64_t dy = std::llabs(static_cast<int64_t>(y1) - y2);
        return narrow<int16_t>(dx > dy ? dx : dy);
    });
}

int16_t directionTo(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return guarded(g, "modMap_Direction", [&] {
        // Keypad layout: rows 7 8 9 / 4 5 6 / 1 2 3 from north to south.
        int column = sign(static_cast<int64_t>(x2) - x1) + 1;
        int row = sign(static_cast<int64_t>(y2) - y1) + 1;
        return static_cast<int16_t>(7 - 3 * row + column);
    });
}

int16_t alternativeDirection(Game& g, int16_t direction) {
    return guarded(g, "modMap_AltDirection", [&]() -> int16_t {
        if (!isStepDirection(direction)) return 0;
        const int16_t clockwise = turnedBy(direction, 1), counter = turnedBy(direction, -1);
        // The lower-numbered neighbour on a high draw.
        return g.draw() > 0.5f ? std::min(clockwise, counter) : std::max(clockwise, counter);
    });
}

int16_t oppositeDirection(Game& g, int16_t direction) {
    return guarded(g, "modMap_Opposite_Direction", [&]() -> int16_t {
        return isStepDirection(direction) ? static_cast<int16_t>(10 - direction) : 0;
    });
}

int16_t quarterTurn(Game& g, int16_t direction, int16_t turn) {
    return guarded(g, "modMap_Quarter_Direction", [&]() -> int16_t {
        if (!isStepDirection(direction)) return 0;
        return turnedBy(direction, turn == kQuarterClockwise ? 2 : -2);
    });
}

bool stepInDirection(Game& g, int16_t direction, int32_t& x, int32_t& y) {
    return guarded(g, "modMap_Get_Facing_XY", [&] {
        if (isStepDirection(direction)) {
            // Keypad digits: columns from west to east, rows from south to north.
            x = add32(x, (direction - 1) % 3 - 1);
            y = add32(y, 1 - (direction - 1) / 3);
        }
        return inMap(x, y);
    });
}

} // namespace gf
