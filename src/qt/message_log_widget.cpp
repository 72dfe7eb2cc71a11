#include "message_log_widget.h"

#include "qt_canvas.h"
#include "qt_text.h"

#include <QScrollBar>

#include <algorithm>

namespace gf {

MessageLogWidget::MessageLogWidget(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::NoSelection);
    // Keys belong to the game; the log is only read.
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    // The lines' colours were chosen to stand on the dark maze.
    QPalette dark = palette();
    dark.setColor(QPalette::Base, Qt::black);
    setPalette(dark);
    setFont(QtCanvas::gameFont(11, true));
    QScrollBar* bar = verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { atBottom_ = value == bar->maximum(); });
    // New lines, or a shorter list, move the bottom; keep up with it while following.
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (atBottom_) bar->setValue(maximum);
    });
}

void MessageLogWidget::follow(const MessageLog& log) {
    // The list holds the lines numbered up to shownEnd_; the log only ever drops its oldest
    // lines, so what it dropped lies at the top.
    for (uint64_t n = shownEnd_ - static_cast<uint64_t>(count()); n < log.first() && count() > 0; ++n)
        delete takeItem(0);
    for (uint64_t n = std::max(shownEnd_, log.first()); n < log.end(); ++n) {
        const LoggedMessage& line = log.line(n);
        auto* item = new QListWidgetItem(toQt(line.text), this);
        item->setForeground(QtCanvas::toQColor(static_cast<Color>(line.color)));
    }
    shownEnd_ = log.end();
    if (atBottom_) scrollToBottom();
}

} // namespace gf
