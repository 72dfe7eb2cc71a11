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

HeldKeys::Guard::Guard(HeldKeys& keys, QWidget& box) : keys_(keys) {
    keys_.box_ = &box;
    keys_.heldAtOpen_ = keys_.down_;
}

HeldKeys::Guard::~Guard() {
    keys_.box_ = nullptr;
    keys_.heldAtOpen_.clear();
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
    if (type == QEvent::KeyPress && !repeat) {
        down_.insert(key.key());
        heldAtOpen_.remove(key.key());
    }
    if (type == QEvent::KeyRelease && !repeat) {
        down_.remove(key.key());
        releasedAt_[key.key()] = key.timestamp();
    }
    const auto* widget = qobject_cast<const QWidget*>(watched);
    const bool inBox = box_ && widget && widget->window() == box_;
    return inBox && (repeat || heldAtOpen_.contains(key.key()));
}

} // namespace gf
