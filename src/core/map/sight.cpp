#include "map/sight.h"

#include "map/map_file.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/numeric.h"

#include <algorithm>
#include <cstdlib>

namespace gf {

namespace {

constexpr int16_t kUnlit = 7;

int64_t kingDistance(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    return std::max(std::llabs(x1 - x2), std::llabs(y1 - y2));
}

// Walks the rasterised line between two cells, always from the end with the
// smaller coordinate so both directions agree; the end cells are not tested.
template <class Clear> bool walkSightLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Clear&& clear) {
    if (kingDistance(x1, y1, x2, y2) <= 1) return true;
    const int16_t dx = narrow<int16_t>(static_cast<int64_t>(x1) - x2);
    const int16_t dy = narrow<int16_t>(static_cast<int64_t>(y1) - y2);
    const int32_t minX = std::min(x1, x2), maxX = std::max(x1, x2);
    const int32_t minY = std::min(y1, y2), maxY = std::max(y1, y2);
    const auto passes = [&](int32_t x, int32_t y) {
        if ((x == x1 && y == y1) || (x == x2 && y == y2)) return true;
        return clear(x, y);
    };
    if (dx == 0) {
        for (int32_t y = minY; y <= maxY; ++y)
            if (!passes(x1, y)) return false;
        return true;
    }
    if (dy == 0) {
        for (int32_t x = minX; x <= maxX; ++x)
            if (!passes(x, y1)) return false;
        return true;
    }
    const float s = static_cast<float>(static_cast<double>(dy) / dx);
    if (std::abs(dx) > std::abs(dy)) {
        for (int32_t i = 0; i <= maxX - minX; ++i) {
            const int32_t t = roundEven(s * static_cast<float>(i));
            if (!passes(minX + i, s > 0 ? minY + t : maxY + t)) return false;
        }
    } else {
        for (int32_t i = 0; i <= maxY - minY; ++i) {
            const int32_t t = roundEven(static_cast<float>(i) / s);
            if (!passes(s > 0 ? minX + t : maxX + t, minY + i)) return false;
        }
    }
    return true;
}

} // namespace

bool Is_Transparent(Game& g, int32_t x, int32_t y) {
    if (!In_Map(x, y)) return false;
    const int32_t index = g.MapItem(x, y);
    if (index == 0) return true;
    return !g.ItemTypes(g.Items(index).ID).BlockMovement;
}

bool modMap_Open_Sight_Line(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return guarded(g, "modMap_Open_Sight_Line", [&] {
        return walkSightLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) { return Is_Transparent(g, x, y); });
    });
}

bool modMap_Is_Visible(Game& g, int32_t x, int32_t y) {
    return guarded(g, "modMap_Is_Visible", [&] { return In_Map(x, y) && g.MapVisible(x, y); });
}

void modMap_Set_Visible(Game& g, int32_t rangeX, int32_t rangeY) {
    guarded(g, "modMap_Set_Visible", [&] {
        if (g.CurrentPlayer == 0) return;
        for (int32_t y = 0; y <= kMapUpper; ++y)
            for (int32_t x = 0; x <= kMapUpper; ++x)
                g.MapVisible(x, y) = false;
        const Player& p = g.Players(g.CurrentPlayer);
        const int32_t px = p.X, py = p.Y;
        // Only cells on the map are looked at, so a huge range costs no more than the map.
        const int64_t firstX = std::max<int64_t>(0, static_cast<int64_t>(px) - rangeX);
        const int64_t lastX = std::min<int64_t>(kMapUpper, static_cast<int64_t>(px) + rangeX);
        const int64_t firstY = std::max<int64_t>(0, static_cast<int64_t>(py) - rangeY);
        const int64_t lastY = std::min<int64_t>(kMapUpper, static_cast<int64_t>(py) + rangeY);
        for (int64_t cx = firstX; cx <= lastX; ++cx) {
            for (int64_t cy = firstY; cy <= lastY; ++cy) {
                const auto x = static_cast<int32_t>(cx), y = static_cast<int32_t>(cy);
                if (!modMap_Open_Sight_Line(g, px, py, x, y)) continue;
                g.MapVisible(x, y) = true;
                // The walls around an open cell show even where the line to them grazes a corner.
                if (!Is_Transparent(g, x, y)) continue;
                for (int32_t i = -1; i <= 1; ++i)
                    for (int32_t j = -1; j <= 1; ++j)
                        if (In_Map(x + i, y + j)) g.MapVisible(x + i, y + j) = true;
            }
        }
    });
}

void modMap_Set_Light(Game& g) {
    guarded(g, "modMap_Set_Light", [&] {
        if (g.CurrentPlayer == 0) return;
        for (int32_t y = 0; y <= kMapUpper; ++y)
            for (int32_t x = 0; x <= kMapUpper; ++x)
                g.MapLight(x, y) = kUnlit;
        const Player& p = g.Players(g.CurrentPlayer);
        modMap_Add_Light(g, p.X, p.Y, kLightRadius);
    });
}

void modMap_Add_Light(Game& g, int32_t x, int32_t y, int16_t radius) {
    guarded(g, "modMap_Add_Light", [&] {
        // The square of side 2r + 1, cut to the map before walking it.
        const int64_t firstX = std::max<int64_t>(0, static_cast<int64_t>(x) - radius);
        const int64_t lastX = std::min<int64_t>(kMapUpper, static_cast<int64_t>(x) + radius);
        const int64_t firstY = std::max<int64_t>(0, static_cast<int64_t>(y) - radius);
        const int64_t lastY = std::min<int64_t>(kMapUpper, static_cast<int64_t>(y) + radius);
        for (int64_t cx = firstX; cx <= lastX; ++cx) {
            for (int64_t cy = firstY; cy <= lastY; ++cy) {
                int16_t& light = g.MapLight(cx, cy);
                const int64_t d = kingDistance(x, y, cx, cy);
                const int16_t lit = narrow<int16_t>(light - (radius - d));
                light = lit < 0 ? 0 : lit;
            }
        }
    });
}

} // namespace gf
