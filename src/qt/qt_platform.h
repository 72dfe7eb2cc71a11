#pragma once
// The whole desktop seam in one piece.
#include "platform/seeded_random.h"
#include "qt_canvas.h"
#include "qt_clock.h"
#include "qt_sound.h"
#include "qt_window.h"
#include "state/game.h"

namespace gf {

struct QtPlatform {
    QtClock clock;
    SeededRandom random;
    QtWindow window;
    QtSound sound;
    QtCanvas canvas;
    Platform platform() { return Platform{clock, random, window, sound, canvas}; }
};

} // namespace gf
