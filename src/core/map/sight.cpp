#include "map/sight.h"

#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace gf {

namespace {

int64_t kingDistance(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    return std::max(std::llabs(x1 - x2), std::llabs(y1 - y2));
}

// Halves to even. Adding 1.5 * 2^23 leaves a float no fraction bits, so the
// default rounding mode (to nearest, halves to even) does the rounding; exact
// for |v| < 2^22, and the walk's values stay within 16-bit differences. This
// runs once per cell of every sight line, where a library call would dominate.
int32_t nearestEven(float v) {
    constexpr float kShift = 12582912.0f;
    return static_cast<int32_t>((v + kShift) - kShift);
}

// Walks the rasterised line between two cells, always from the end with the
// smaller coordinate so both directions agree. The ends are the first and last
// cells of every walk (the slope's single-precision error stays far below half
// a cell for 16-bit differences), so only the cells between them are tested.
template <class Clear> bool walkSightLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Clear&& clear) {
    if (kingDistance(x1, y1, x2, y2) <= 1) return true;
    const int16_t dx = narrow<int16_t>(static_cast<int64_t>(x1) - x2);
    const int16_t dy = narrow<int16_t>(static_cast<int64_t>(y1) - y2);
    const int32_t minX = std::min(x1, x2), maxX = std::max(x1, x2);
    const int32_t minY = std::min(y1, y2), maxY = std::max(y1, y2);
    if (dx == 0) {
        for (int32_t y = minY + 1; y < maxY; ++y)
            if (!clear(x1, y)) return false;
        return true;
    }
    if (dy == 0) {
        for (int32_t x = minX + 1; x < maxX; ++x)
            if (!clear(x, y1)) return false;
        return true;
    }
    const float s = static_cast<float>(static_cast<double>(dy) / dx);
    if (std::abs(dx) > std::abs(dy)) {
        const int32_t rowAtMinX = s > 0 ? minY : maxY;
        for (int32_t i = 1; i < maxX - minX; ++i)
            if (!clear(minX + i, rowAtMinX + nearestEven(s * static_cast<float>(i)))) return false;
    } else {
        const int32_t columnAtMinY = s > 0 ? minX : maxX;
        for (int32_t i = 1; i < maxY - minY; ++i)
            if (!clear(columnAtMinY + nearestEven(static_cast<float>(i) / s), minY + i)) return false;
    }
    return true;
}

} // namespace

bool isTransparent(Game& g, int32_t x, int32_t y) {
    if (!inMap(x, y)) return false;
    const int32_t index = g.level.itemAt(x, y);
    if (index == 0) return true;
    return !g.catalogue.items(g.items(index).id).blocksMovement;
}

bool hasLineOfSight(Game& g, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return guarded(g, "modMap_Open_Sight_Line", [&] {
        return walkSightLine(x1, y1, x2, y2, [&](int32_t x, int32_t y) { return isTransparent(g, x, y); });
    });
}

bool cellVisible(Game& g, int32_t x, int32_t y) {
    return guarded(g, "modMap_Is_Visible", [&] { return inMap(x, y) && g.level.visible(x, y); });
}

namespace {

// Per-call working grids of updateVisibility, on the stack: nothing is kept
// between draws and nothing is allocated per call.
class VisibleSweep {
public:
    VisibleSweep(Game& g, int32_t px, int32_t py, int32_t rangeX, int32_t rangeY) : g_(g), px_(px), py_(py) {
        // Only cells on the map are looked at, so a huge range costs no more than
        // the map, and a negative one leaves first past last: nothing at all.
        firstX_ = onMapFrom(static_cast<int64_t>(px) - rangeX);
        lastX_ = onMapTo(static_cast<int64_t>(px) + rangeX);
        firstY_ = onMapFrom(static_cast<int64_t>(py) - rangeY);
        lastY_ = onMapTo(static_cast<int64_t>(py) + rangeY);
        // From a cell on the map every line stays inside the range.
        userOnMap_ = inMap(px, py);
    }

    void run() {
        snapshot();
        seen_.fill(false);
        try {
            if (userOnMap_)
                sweep<true>();
            else
                sweep<false>();
        } catch (...) {
            publish(); // what was marked before the failure stays marked
            throw;
        }
        publish();
    }

private:
    enum Cell : uint8_t { kBlocked, kOpen, kUnknown };

    static int32_t onMapFrom(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, kMapSize)); }
    static int32_t onMapTo(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -1, kMapUpper)); }
    static std::size_t at(int32_t x, int32_t y) { return static_cast<std::size_t>(y * kMapSize + x); }

    // Each cell's transparency is looked up once per call rather than once per
    // line through it. A cell whose lookup fails is asked again where it is
    // needed, so the failure surfaces there as it would without the snapshot.
    void snapshot() {
        for (int32_t x = firstX_; x <= lastX_; ++x)
            for (int32_t y = firstY_; y <= lastY_; ++y) {
                try {
                    cells_[at(x, y)] = isTransparent(g_, x, y) ? kOpen : kBlocked;
                } catch (const std::exception&) {
                    cells_[at(x, y)] = kUnknown;
                }
            }
    }

    template <bool kUserOnMap> bool clear(int32_t x, int32_t y) const {
        if (!kUserOnMap && (x < firstX_ || x > lastX_ || y < firstY_ || y > lastY_))
            return isTransparent(g_, x, y);
        const Cell cell = cells_[at(x, y)];
        return cell == kOpen || (cell == kUnknown && isTransparent(g_, x, y));
    }

    template <bool kUserOnMap> void sweep() {
        const auto clearCell = [this](int32_t x, int32_t y) { return clear<kUserOnMap>(x, y); };
        for (int32_t x = firstX_; x <= lastX_; ++x) {
            for (int32_t y = firstY_; y <= lastY_; ++y) {
                if (!guarded(g_, "modMap_Open_Sight_Line",
                             [&] { return walkSightLine(px_, py_, x, y, clearCell); }))
                    continue;
                seen_[at(x, y)] = true;
                // The walls around an open cell show even where the line to them grazes a corner.
                if (!clear<kUserOnMap>(x, y)) continue;
                for (int32_t i = std::max(x - 1, 0); i <= std::min(x + 1, kMapUpper); ++i)
                    for (int32_t j = std::max(y - 1, 0); j <= std::min(y + 1, kMapUpper); ++j)
                        seen_[at(i, j)] = true;
            }
        }
    }

    void publish() {
        for (int32_t x = std::max(firstX_ - 1, 0); x <= std::min(lastX_ + 1, kMapUpper); ++x)
            for (int32_t y = std::max(firstY_ - 1, 0); y <= std::min(lastY_ + 1, kMapUpper); ++y)
                if (seen_[at(x, y)]) g_.level.visible(x, y) = true;
    }

    Game& g_;
    int32_t px_, py_;
    int32_t firstX_, lastX_, firstY_, lastY_;
    bool userOnMap_;
    std::array<Cell, kMapSize * kMapSize> cells_;
    std::array<bool, kMapSize * kMapSize> seen_;
};

} // namespace

void updateVisibility(Game& g, int32_t rangeX, int32_t rangeY) {
    guarded(g, "modMap_Set_Visible", [&] {
        if (g.creatures.current == 0) return;
        if (!g.level.visible.exists()) fail(kSubscriptOutOfRange);
        g.level.visible.create(); // every cell back to not visible
        const Creature& p = g.creatures(g.creatures.current);
        VisibleSweep(g, p.x, p.y, rangeX, rangeY).run();
    });
}

void updateLight(Game& g) {
    guarded(g, "modMap_Set_Light", [&] {
        if (g.creatures.current == 0) return;
        g.level.light.fill(kUnlit);
        const Creature& p = g.creatures(g.creatures.current);
        addLight(g, p.x, p.y, kLightRadius);
    });
}

void addLight(Game& g, int32_t x, int32_t y, int16_t radius) {
    guarded(g, "modMap_Add_Light", [&] {
        // The square of side 2r + 1, cut to the map before walking it.
        const int64_t firstX = std::max<int64_t>(0, static_cast<int64_t>(x) - radius);
        const int64_t lastX = std::min<int64_t>(kMapUpper, static_cast<int64_t>(x) + radius);
        const int64_t firstY = std::max<int64_t>(0, static_cast<int64_t>(y) - radius);
        const int64_t lastY = std::min<int64_t>(kMapUpper, static_cast<int64_t>(y) + radius);
        for (int64_t cx = firstX; cx <= lastX; ++cx) {
            for (int64_t cy = firstY; cy <= lastY; ++cy) {
                int16_t& light = g.level.light(cx, cy);
                const int64_t d = kingDistance(x, y, cx, cy);
                const int16_t lit = narrow<int16_t>(light - (radius - d));
                light = lit < 0 ? 0 : lit;
            }
        }
    });
}

} // namespace gf
