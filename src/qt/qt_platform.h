#pragma once
// The whole desktop seam in one piece.
#include "platform/seeded_random.h"
#include "qt_canvas.h"
#include "qt_clock.h"
#include "qt_dialogs.h"
#include "qt_sound.h"
#include "shell/game.h"

namespace gf {

struct QtPlatform {
    QtClock clock;
    SeededRandom random;
    QtDialogs dialogs;
    QtSound sound;
    QtCanvas canvas;
    Platform platform() { return Platform{clock, random, dialogs, sound, canvas}; }
};

} // namespace gf
