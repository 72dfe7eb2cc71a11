#include "render/death.h"

#include "render/sizes.h"
#include "render/view.h"
#include "state/game.h"
#include "state/guard.h"

#include <algorithm>
#include <cstdlib>

namespace gf {

namespace {

constexpr float kFramePause = 0.01f; // seconds

} // namespace

int playDeath(Game& g) {
    int frames = 0;
    guarded(g, "Death", [&] {
        Canvas& canvas = g.io.canvas;
        const HalfSize half = viewHalfSize(canvas.width(), canvas.height());
        const int r = std::max(half.w, half.h);
        for (int k = r; k >= 0; --k) {
            redraw(g, false);
            // One ring beyond r on the right and bottom, as the view draws it: a
            // width that rounds down to r cells leaves up to half a cell there.
            for (int a = -r; a <= r + 1; ++a) {
                const int x = (r + a - 1) * kTile;
                for (int b = -r; b <= r + 1; ++b) {
                    if (std::abs(a) < k && std::abs(b) < k) continue;
                    const int y = (r + b - 1) * kTile;
                    canvas.fillBox(x, y, x + kTile - 1, y + kTile - 1, kRed);
                }
            }
            canvas.present();
            ++frames;
            g.io.clock.pause(kFramePause);
        }
    });
    return frames;
}

} // namespace gf
