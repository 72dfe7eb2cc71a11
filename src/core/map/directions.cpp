#include "map/directions.h"

#include "map/map_file.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"

#include <array>
#include <cstdlib>

namespace gf {

namespace {

struct Step {
    int32_t dx;
    int32_t dy;
};

// Indexed by direction; 0 and 5 do not move.
constexpr std::array<Step, 10> kSteps{{
    {0, 0},
    {-1, 1},
    {0, 1},
    {1, 1},
    {-1, 0},
    {0, 0},
    {1, 0},
    {-1, -1},
    {0, -1},
    {1, -1},
}};

// Per direction: the neighbour chosen when r > 0.5, then the other one.
constexpr std::array<std::array<int16_t, 2>, 10> kNeighbours{{
    {0, 0},
    {2, 4},
    {1, 3},
    {2, 6},
    {1, 7},
    {0, 0},
    {3, 9},
    {4, 8},
    {7, 9},
    {6, 8},
}};

// Per direction: clockwise, then counter-clockwise, as seen with north up.
constexpr std::array<std::array<int16_t, 2>, 10> kQuarterTurns{{
    {0, 0},
    {7, 3},
    {4, 6},
    {1, 9},
    {8, 2},
    {0, 0},
    {2, 8},
    {9, 1},
    {6, 4},
    {3, 7},
}};

int sign(int64_t v) {
    return (v > 0) - (v < 0);
}

} // namespace

int16_t modMap_Dist(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return guarded(g, "modMap_Dist", [&] {
        int64_t dx = std::llabs(static_cast<int64_t>(x1) - x2);
        int64_t dy = std::llabs(static_cast<int64_t>(y1) - y2);
        return narrow<int16_t>(dx > dy ? dx : dy);
    });
}

int16_t modMap_Direction(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return guarded(g, "modMap_Direction", [&] {
        // Keypad layout: rows 7 8 9 / 4 5 6 / 1 2 3 from north to south.
        int column = sign(static_cast<int64_t>(x2) - x1) + 1;
        int row = sign(static_cast<int64_t>(y2) - y1) + 1;
        return static_cast<int16_t>(7 - 3 * row + column);
    });
}

int16_t modMap_AltDirection(Game& g, int16_t direction) {
    return guarded(g, "modMap_AltDirection", [&]() -> int16_t {
        if (!isStepDirection(direction)) return 0;
        const auto& pair = kNeighbours[static_cast<std::size_t>(direction)];
        return g.draw() > 0.5f ? pair[0] : pair[1];
    });
}

int16_t modMap_Opposite_Direction(Game& g, int16_t direction) {
    return guarded(g, "modMap_Opposite_Direction", [&]() -> int16_t {
        return isStepDirection(direction) ? static_cast<int16_t>(10 - direction) : 0;
    });
}

int16_t modMap_Quarter_Direction(Game& g, int16_t direction, int16_t turn) {
    return guarded(g, "modMap_Quarter_Direction", [&]() -> int16_t {
        if (!isStepDirection(direction)) return 0;
        return kQuarterTurns[static_cast<std::size_t>(direction)][turn == kQuarterClockwise ? 0 : 1];
    });
}

bool modMap_Get_Facing_XY(Game& g, int16_t direction, int32_t& x, int32_t& y) {
    return guarded(g, "modMap_Get_Facing_XY", [&] {
        if (isStepDirection(direction)) {
            const Step& s = kSteps[static_cast<std::size_t>(direction)];
            x = add32(x, s.dx);
            y = add32(y, s.dy);
        }
        return In_Map(x, y);
    });
}

} // namespace gf
