#include "render/view.h"

#include "map/sight.h"
#include "render/overview.h"
#include "render/sizes.h"
#include "render/status.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/numeric.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

namespace gf {

namespace {

// Sheet frame per facing. No facing 5 or 0 arises in play; such a creature
// still shows, facing the viewer.
constexpr int kFacingViewer = 1;
constexpr std::array<int, 10> kFrameOfFacing{kFacingViewer, 0, 1, 2, 7, kFacingViewer, 3, 6, 5, 4};

int frameOf(int16_t facing) {
    return facing >= 0 && facing <= 9 ? kFrameOfFacing[static_cast<std::size_t>(facing)] : kFacingViewer;
}

bool visible(const Level& level, int64_t x, int64_t y) {
    return inMap(x, y) && level.visible(x, y);
}

void drawCreature(Game& g, const Creature& p, int px, int py) {
    Canvas& canvas = g.io.canvas;
    // A monster catalogue may name a picture that was never loaded: leave the
    // frame out rather than lose the whole view.
    if (p.image >= 0 && p.image <= g.catalogue.monsters.size())
        canvas.drawTile(playerSheet(p.image), frameOf(p.facing), px, py);
    if (!p.isMonster() || p.maxLife == 0) return;
    // Anything wider than the tile lands on cells drawn over afterwards.
    const int width =
        roundEven(std::clamp(p.life * static_cast<double>(kTile) / p.maxLife, 0.0, double{kTile}));
    if (width >= 1) canvas.fillBox(px, py, px + width - 1, py + 1, kGreen);
}

void drawCell(Game& g, int64_t cx, int64_t cy, int px, int py) {
    Canvas& canvas = g.io.canvas;
    if (!visible(g.level, cx, cy)) {
        canvas.copyTile(kSheetVoid, 0, px, py);
        return;
    }
    canvas.copyTile(kSheetBackground, 0, px, py);
    if (const int32_t item = g.level.itemAt(cx, cy); item > 0)
        canvas.drawTile(kSheetItem, itemTile(g.catalogue.items(g.items(item).id).image), px, py);
    if (const int32_t creature = g.level.creatureAt(cx, cy); creature >= 1)
        drawCreature(g, g.creatures(creature), px, py);
    canvas.drawTile(kSheetLight, g.level.light(cx, cy), px, py);
}

void drawMessages(Game& g) {
    Canvas& canvas = g.io.canvas;
    // The newest line keeps its place; a taller font pushes the older ones up.
    const int newest = canvas.height() - kMessageColumnTop + kMessagePointSize * kMessageLines;
    const int step = std::max(canvas.lineHeight(kMessagePointSize, false), 1);
    int y = newest;
    for (auto m = g.messages.lines.rbegin(); m != g.messages.lines.rend(); ++m, y -= step)
        if (m->inUse)
            canvas.text(kMessageLeft, y, m->text, kMessagePointSize, false, static_cast<Color>(m->color));
}

// As the window prints a number: a blank where a plus sign would go.
std::string amountText(int32_t amount) {
    return amount < 0 ? std::to_string(amount) : " " + std::to_string(amount);
}

void drawDamages(Game& g, HalfSize half) {
    Canvas& canvas = g.io.canvas;
    for (const DamageNumber& d : g.messages.damages) {
        if (!d.inUse || !visible(g.level, d.x, d.y)) continue;
        const int64_t dx = int64_t{d.x} - g.screen.viewX;
        const int64_t dy = int64_t{d.y} - g.screen.viewY;
        if (std::llabs(dy) > half.h || std::llabs(dx) > half.w) continue;
        const int px = static_cast<int>(dx + half.w - 1) * kTile;
        const int py = static_cast<int>(dy + half.h - 1) * kTile;
        canvas.drawTile(kSheetDamage, 0, px, py);
        const std::string text = amountText(d.amount);
        const bool oneDigit = text.size() == 2 && text[0] == ' ';
        canvas.text(oneDigit ? px + kDamageOneDigitLeft : px, py + kDamageTop, text, kDamagePointSize, true,
                    kYellow);
    }
}

void drawView(Game& g) {
    Canvas& canvas = g.io.canvas;
    const HalfSize half = viewHalfSize(canvas.width(), canvas.height());
    updateVisibility(g, half.w, half.h);
    updateLight(g);
    // One tile beyond the picture on the left and top, so its edges are always covered.
    for (int32_t i = -half.w; i <= half.w + 1; ++i) {
        const int px = (half.w + i - 1) * kTile;
        const int64_t cx = int64_t{g.screen.viewX} + i;
        for (int32_t j = -half.h; j <= half.h + 1; ++j)
            drawCell(g, cx, int64_t{g.screen.viewY} + j, px, (half.h + j - 1) * kTile);
    }
    drawMessages(g);
    drawDamages(g, half);
}

// A quarter down the view, clear of the user's creature in the middle.
void drawPaused(Game& g) {
    Canvas& canvas = g.io.canvas;
    const int cx = canvas.width() / 2, cy = canvas.height() / 4;
    const int left = cx - kPausedBoxWidth / 2, top = cy - kPausedBoxHeight / 2;
    canvas.fillBox(left, top, left + kPausedBoxWidth - 1, top + kPausedBoxHeight - 1, kBlack);
    canvas.text(cx - kPausedTextWidth / 2, cy - kPausedTextRise, "Paused", kPausedPointSize, true, kYellow);
}

} // namespace

HalfSize viewHalfSize(int widthPixels, int heightPixels) {
    return {roundEven(widthPixels / (2.0 * kTile)), roundEven(heightPixels / (2.0 * kTile))};
}

void redraw(Game& g, bool refresh) {
    guarded(g, "Display", [&] {
        Canvas& canvas = g.io.canvas;
        canvas.clear();
        if (g.screen.overview) {
            drawOverview(g);
            drawMessages(g);
        } else {
            drawView(g);
        }
        if (g.screen.paused) drawPaused(g);
        if (refresh) canvas.present();
        updateStatus(g);
    });
}

void centreOnCreature(Game& g) {
    if (g.creatures.current == 0) return;
    const Creature& p = g.creatures(g.creatures.current);
    g.screen.viewX = p.x;
    g.screen.viewY = p.y;
    redraw(g, true);
}

void showOverview(Game& g) {
    Canvas& canvas = g.io.canvas;
    canvas.clear();
    drawOverview(g);
    canvas.present();
}

} // namespace gf
