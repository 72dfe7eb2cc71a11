#pragma once
// Which keys are down, watched for the whole program, so a box can ignore a
// key that was already held when it opened: a key held at the moment of death
// must not close the game-over box unread. A box that ends or changes the game
// can also ignore every key for a while, so a player still tapping the attack
// key cannot skip it either.
#include <QDeadlineTimer>
#include <QEvent>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

class QKeyEvent;
class QWidget;

namespace gf {

class HeldKeys : public QObject {
    // The box that listens now.
    struct Box {
        QPointer<QWidget> widget;
        QSet<int> heldAtOpen;
        QSet<int> pressedHere; // whose repeats the box may take
        int deafMs = 0;
        QDeadlineTimer deafUntil;
    };

public:
    HeldKeys();
    ~HeldKeys() override;
    // Puts this watcher ahead of every other program-wide filter, which may
    // take a key before later ones see it.
    void watchFirst();

    // While the guard lives, `box` ignores the keys down now, and their
    // repeats, until each is pressed afresh. With `deafMs`, it ignores every
    // key until that long after it opened and after the last key pressed in
    // it, so a player tapping on cannot answer it; a key pressed then counts
    // as held. A guard for a box opened over another puts the outer one's back.
    class Guard {
    public:
        Guard(HeldKeys& keys, QWidget& box, int deafMs = 0);
        ~Guard();
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        HeldKeys& keys_;
        Box outer_;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool repeated(QEvent::Type type, const QKeyEvent& key) const;

    QSet<int> down_;
    QHash<int, quint64> releasedAt_; // window-system time of each key's last release
    Box box_;
};

} // namespace gf
