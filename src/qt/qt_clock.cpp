#include "qt_clock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTime>
#include <QTimer>

#include <cmath>

namespace gf {

namespace {
// Drops keys and clicks, so no game handler runs from them.
class DropInput : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->isInputEvent(); }
};
} // namespace

QtClock::QtClock() : startOfDay_(QTime::currentTime().msecsSinceStartOfDay() / 1000.0) {
    steady_.start();
}

float QtClock::now() {
    return static_cast<float>(startOfDay_ + steady_.nsecsElapsed() / 1e9);
}

void QtClock::pause(float seconds) {
    // The window paints and can be closed meanwhile (Qt would hold a close
    // request back with the input it excludes), and a tick that fires finds
    // its handler busy.
    DropInput dropInput;
    QCoreApplication::instance()->installEventFilter(&dropInput);
    QEventLoop wait;
    QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000.0f)), Qt::PreciseTimer, &wait,
                       &QEventLoop::quit);
    wait.exec();
    QCoreApplication::instance()->removeEventFilter(&dropInput);
}

} // namespace gf
