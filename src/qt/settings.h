#pragma once
// What the window remembers between runs. Anything unreadable or out of
// range reads as the default, so a damaged file never stops the game.
#include <QRect>

class QSettings;

namespace gf {

struct WindowSettings {
    QRect geometry; // the normal (not maximised) frame; empty: chosen from the screen
    bool maximized = false;
    bool fullScreen = false;
    int zoom = 0;     // 0: chosen from the screen
    int volume = 100; // percent
    bool muted = false;
    bool operator==(const WindowSettings&) const = default;
};

WindowSettings readSettings(QSettings& settings);
void writeSettings(QSettings& settings, const WindowSettings& values);

// The zoom at which a screen of this size shows about as many cells as
// 1920 x 1080 does at 1x.
int zoomForScreen(QSize screen);

} // namespace gf
