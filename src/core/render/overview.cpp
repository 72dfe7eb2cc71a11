#include "render/overview.h"

#include "state/game.h"
#include "state/item.h"

#include <algorithm>
#include <array>
#include <utility>

namespace gf {

namespace {

constexpr int kLegendWidth = 112;
constexpr int kLegendMargin = 6;
constexpr int kLegendPointSize = 9;
constexpr int kSwatch = 10;
constexpr Color kLegendPaper = rgb(214, 203, 178);

const std::array<std::pair<Color, const char*>, 7> kLegend{{{kOverviewWall, "Wall"},
                                                            {kOverviewDoor, "Door"},
                                                            {kOverviewStairsDown, "Stairs down"},
                                                            {kOverviewStairsUp, "Stairs up"},
                                                            {kOverviewGold, "Gold"},
                                                            {kOverviewItem, "Other item"},
                                                            {kOverviewYou, "You"}}};

struct CellBounds {
    int32_t left = kMapUpper, top = kMapUpper, right = -1, bottom = -1;
    void add(int32_t x, int32_t y) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
};

// A square of `side` pixels; from four pixels up it gets a dark rim, so light
// marks keep their edge on the parchment and beside each other.
void mark(Canvas& canvas, int x, int y, int side, Color color) {
    if (side >= 4 && color != kBlack) {
        canvas.fillBox(x, y, x + side - 1, y + side - 1, kBlack);
        canvas.fillBox(x + 1, y + 1, x + side - 2, y + side - 2, color);
    } else {
        canvas.fillBox(x, y, x + side - 1, y + side - 1, color);
    }
}

void drawLegend(Canvas& canvas) {
    const int step = std::max(canvas.lineHeight(kLegendPointSize, true), kSwatch + 2);
    const int left = kLegendMargin, top = kLegendMargin;
    const int bottom = top + 4 + step * static_cast<int>(kLegend.size()) + 3;
    canvas.fillBox(left, top, left + kLegendWidth - 1, bottom, kBlack);
    canvas.fillBox(left + 1, top + 1, left + kLegendWidth - 2, bottom - 1, kLegendPaper);
    int y = top + 4;
    for (const auto& [color, name] : kLegend) {
        mark(canvas, left + 6, y + (step - kSwatch) / 2, kSwatch, color);
        canvas.text(left + 6 + kSwatch + 6, y, name, kLegendPointSize, true, kBlack);
        y += step;
    }
}

} // namespace

Color overviewColor(int16_t itemId) {
    if (itemId >= ItemId::StoneWall && itemId <= ItemId::LastWallPiece) return kOverviewWall;
    switch (itemId) {
    case ItemId::DoorClosedEW:
    case ItemId::DoorOpenEW:
    case ItemId::DoorClosedNS:
    case ItemId::DoorOpenNS:
        return kOverviewDoor;
    case ItemId::StairsDown:
        return kOverviewStairsDown;
    case ItemId::StairsUp:
        return kOverviewStairsUp;
    case ItemId::SmallGold:
    case ItemId::LargeGold:
        return kOverviewGold;
    default:
        return kOverviewItem;
    }
}

// What the level fills (its items and the user's creature) at as many whole pixels a cell as
// the view beside the legend allows, centred there. The user's cell is marked alone, and only
// its rim when something lies under it, so the marker never covers the way on.
void drawOverview(Game& g) {
    Canvas& canvas = g.io.canvas;
    const Creature* me = g.creatures.current != 0 ? &g.creatures(g.creatures.current) : nullptr;
    if (me && !inMap(me->x, me->y)) me = nullptr;
    CellBounds level;
    for (int32_t x = 0; x <= kMapUpper; ++x)
        for (int32_t y = 0; y <= kMapUpper; ++y)
            if (g.level.itemAt(x, y) > 0) level.add(x, y);
    if (me) level.add(me->x, me->y);
    if (level.right < 0) return;
    const int across = level.right - level.left + 1, down = level.bottom - level.top + 1;
    const int legendRight = kLegendMargin + kLegendWidth + kLegendMargin;
    const int width = std::max(canvas.width() - legendRight, 1);
    const int scale = std::max(1, std::min(width / across, canvas.height() / down));
    const int left = legendRight + (width - across * scale) / 2 - level.left * scale;
    const int top = (canvas.height() - down * scale) / 2 - level.top * scale;
    if (me) {
        const int middle = scale / 2;
        canvas.fillBox(left + level.left * scale, top + me->y * scale + middle,
                       left + (level.right + 1) * scale - 1, top + me->y * scale + middle,
                       kOverviewCrosshair);
        canvas.fillBox(left + me->x * scale + middle, top + level.top * scale, left + me->x * scale + middle,
                       top + (level.bottom + 1) * scale - 1, kOverviewCrosshair);
    }
    for (int32_t x = level.left; x <= level.right; ++x)
        for (int32_t y = level.top; y <= level.bottom; ++y)
            if (const int32_t item = g.level.itemAt(x, y); item > 0)
                mark(canvas, left + x * scale, top + y * scale, scale, overviewColor(g.items(item).id));
    if (me) {
        const int px = left + me->x * scale, py = top + me->y * scale;
        if (g.level.itemAt(me->x, me->y) > 0 && scale >= 3) {
            const int rim = std::max(1, scale / 4);
            canvas.fillBox(px, py, px + scale - 1, py + rim - 1, kOverviewYou);
            canvas.fillBox(px, py + scale - rim, px + scale - 1, py + scale - 1, kOverviewYou);
            canvas.fillBox(px, py, px + rim - 1, py + scale - 1, kOverviewYou);
            canvas.fillBox(px + scale - rim, py, px + scale - 1, py + scale - 1, kOverviewYou);
        } else {
            mark(canvas, px, py, scale, kOverviewYou);
        }
    }
    drawLegend(canvas);
}

} // namespace gf
