#include "render/layout.h"

namespace gf {

std::optional<ViewLayout> formLayout(int innerW, int innerH, int statusWidth, bool minimized) {
    if (minimized || innerH <= 1 || innerW <= statusWidth) return std::nullopt;
    const int viewWidth = innerW - 1 - statusWidth;
    return ViewLayout{{0, 0, viewWidth, innerH - 1}, {viewWidth, 0, statusWidth, innerH - 1}};
}

} // namespace gf
