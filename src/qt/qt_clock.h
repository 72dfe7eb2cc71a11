#pragma once
#include "platform/clock.h"

#include <QElapsedTimer>

namespace gf {

// The time of day read once, moved on by a steady timer, so it never runs
// backwards when the system clock is set.
class QtClock : public Clock {
public:
    QtClock();
    float now() override;
    void pause(float seconds) override;

private:
    double startOfDay_;
    QElapsedTimer steady_;
};

} // namespace gf
