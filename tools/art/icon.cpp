#include "icon.hpp"

#include "creatures.hpp"
#include "paint.hpp"

#include <algorithm>
#include <cmath>

namespace gloamfell::tools {

namespace {

const Colour kLit = rgb(214, 168, 98);
const Colour kDark = rgb(34, 28, 34);
const Colour kRim = rgb(16, 13, 18);

constexpr double kRadius = 15.5;  // of the floor disc, in the scene's 32 units
constexpr double kRimWidth = 1.0; // dark edge that keeps the disc apart from any panel
constexpr double kFacing = 315.0; // towards the top-left light

} // namespace

Image makeIcon(int size) {
    Image img(size, size);
    const double unit = 32.0 / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) * unit - 16.0, dy = (y + 0.5) * unit - 16.0;
            const double r = std::sqrt(dx * dx + dy * dy);
            if (r > kRadius) continue;
            if (r > kRadius - kRimWidth) {
                img.set(x, y, toRgb(kRim));
                continue;
            }
            // The light falls off towards the rim, as around the creature in play.
            const double t = std::clamp(1.0 - r / (kRadius - kRimWidth), 0.0, 1.0);
            img.set(x, y, toRgb(mix(kDark, kLit, t * t)));
        }
    }
    RenderStyle style;
    style.size = size;
    style.scale = 0.9;
    renderScene(creatureScene(0, false), kFacing, img, 0, 0, style);
    return img;
}

} // namespace gloamfell::tools
