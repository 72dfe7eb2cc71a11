#pragma once
// The whole window as a player sees it (view and side panel), rendered
// offscreen by the same widgets the desktop uses.
#include <string>

namespace gf {

struct Game;
class ForwardingCanvas;

// `drawing` must be the canvas the game draws through (g.io.canvas). For the
// moment of the shot it points at a Qt canvas holding the sheets `drawing` has
// loaded, shown at `zoom` in a view of viewW x viewH pixels; one redraw is
// drawn when a creature exists.
// Needs a QApplication. False when the PNG cannot be written.
bool saveWindowScreenshot(Game& g, ForwardingCanvas& drawing, const std::string& pngPath, int viewW,
                          int viewH, int zoom = 1);

} // namespace gf
