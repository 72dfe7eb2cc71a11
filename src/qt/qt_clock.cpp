#include "qt_clock.h"

#include <QEventLoop>
#include <QTime>
#include <QTimer>

#include <cmath>

namespace gf {

QtClock::QtClock() : startOfDay_(QTime::currentTime().msecsSinceStartOfDay() / 1000.0) {
    steady_.start();
}

float QtClock::now() {
    return static_cast<float>(startOfDay_ + steady_.nsecsElapsed() / 1e9);
}

void QtClock::pause(float seconds) {
    // The window paints and can be closed meanwhile, but keys and clicks wait,
    // and a tick that fires finds its handler busy: no game handler runs.
    QEventLoop wait;
    QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000.0f)), Qt::PreciseTimer, &wait,
                       &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace gf
