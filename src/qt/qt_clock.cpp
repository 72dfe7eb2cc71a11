#include "qt_clock.h"

#include <QThread>
#include <QTime>

namespace gf {

QtClock::QtClock() : startOfDay_(QTime::currentTime().msecsSinceStartOfDay() / 1000.0) {
    steady_.start();
}

float QtClock::now() {
    return static_cast<float>(startOfDay_ + steady_.nsecsElapsed() / 1e9);
}

void QtClock::pause(float seconds) {
    // Deliberately no event processing: nothing may run between the frames.
    QElapsedTimer waited;
    waited.start();
    const qint64 until = static_cast<qint64>(static_cast<double>(seconds) * 1e9);
    while (waited.nsecsElapsed() < until)
        QThread::usleep(500);
}

} // namespace gf
