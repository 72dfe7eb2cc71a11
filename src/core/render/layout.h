#pragma once
// Where MainWindow puts the view and the side panel, in the window's own units.
#include <optional>

namespace gf {

struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Placement&) const = default;
};

struct ViewLayout {
    Placement view;
    Placement panel; // keeps the width it had
    bool operator==(const ViewLayout&) const = default;
};

// Nothing when the window is minimised or too small to hold the panel: the
// controls then keep their places.
std::optional<ViewLayout> formLayout(int innerW, int innerH, int statusWidth, bool minimized);

} // namespace gf
