#pragma once
// The message log: the running game's lines, oldest at the top, in their
// colours. It follows new lines while it is scrolled to the bottom and stays
// put while the player reads further up.
#include "state/message_log.h"

#include <QListWidget>

namespace gf {

class MessageLogWidget : public QListWidget {
    Q_OBJECT
public:
    explicit MessageLogWidget(QWidget* parent = nullptr);
    // Brings the list level with the log: drops what it dropped, appends what is new.
    void follow(const MessageLog& log);

private:
    uint64_t shownEnd_ = 0; // number of the line after the last one listed
    bool atBottom_ = true;
};

} // namespace gf
