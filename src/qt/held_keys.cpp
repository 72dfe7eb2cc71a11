#include "held_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace gf {

namespace {
// X sends a repeat as a release and a press at the same moment, and Qt does
// not always mark them; no hand lets go and presses again this fast.
constexpr quint64 kRepeatGapMs = 5;
} // namespace

HeldKeys::HeldKeys() {
    watchFirst();
}

HeldKeys::~HeldKeys() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

void HeldKeys::watchFirst() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->removeEventFilter(this);
        app->installEventFilter(this);
    }
}

HeldKeys::Guard::Guard(HeldKeys& keys, QWidget& box, int deafMs) : keys_(keys), outer_(keys.box_) {
    keys_.box_ = Box{&box, keys_.down_, {}, deafMs, QDeadlineTimer(deafMs)};
}

HeldKeys::Guard::~Guard() {
    keys_.box_ = outer_;
}

bool HeldKeys::repeated(QEvent::Type type, const QKeyEvent& key) const {
    if (key.isAutoRepeat()) return true;
    if (type == QEvent::KeyRelease) return false;
    const auto released = releasedAt_.constFind(key.key());
    return released != releasedAt_.cend() && key.timestamp() >= *released &&
           key.timestamp() - *released <= kRepeatGapMs;
}

bool HeldKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    // Each event passes here once per widget it travels through; every step is
    // safe to repeat.
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool repeat = repeated(type, key);
    const auto* widget = qobject_cast<const QWidget*>(watched);
    const bool inBox = box_.widget && widget && widget->window() == box_.widget;
    const bool deaf = inBox && !box_.deafUntil.hasExpired();
    if (type == QEvent::KeyPress && !repeat) {
        down_.insert(key.key());
        if (deaf) {
            box_.heldAtOpen.insert(key.key());
            box_.deafUntil = QDeadlineTimer(box_.deafMs);
        } else {
            box_.heldAtOpen.remove(key.key());
            if (inBox) box_.pressedHere.insert(key.key());
        }
    }
    if (type == QEvent::KeyRelease && !repeat) {
        down_.remove(key.key());
        releasedAt_[key.key()] = key.timestamp();
    }
    // A key pressed afresh in the box repeats there as usual (Backspace in the name box); the
    // repeats of a key pressed where this watcher could not see it (during the death animation,
    // whose pause drops input first) are the held key's.
    const bool foreignRepeat = repeat && !box_.pressedHere.contains(key.key());
    return deaf || (inBox && (box_.heldAtOpen.contains(key.key()) || foreignRepeat));
}

} // namespace gf
