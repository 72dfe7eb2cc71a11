#include "frm_main.h"

#include "key_codes.h"
#include "qt_canvas.h"
#include "qt_text.h"
#include "render/layout.h"
#include "render/view.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/keys.h"
#include "shell/menus.h"
#include "shell/startup.h"
#include "shell/timers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDockWidget>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace gf {

namespace {
// Five cells across still show the creature with room around it.
constexpr int kMinViewWidth = 5 * kTile;
} // namespace

frmMain::frmMain(Game& game, QtCanvas& canvas, QWidget* parent)
    : QMainWindow(parent), g_(game), canvas_(canvas), area_(new QWidget(this)) {
    setWindowTitle(toQt(g_.Caption));
    buildMenus();
    buildMessageLog();

    setCentralWidget(area_);
    picView = new ViewWidget(canvas_, area_);
    picStatus = new StatusPanelWidget(area_);
    canvas_.setPresenter([this] { picView->repaint(); });
    area_->setMinimumSize(kMinViewWidth + 1 + kStatusWidth, picStatus->minimumSizeHint().height() + 1);
    area_->installEventFilter(this);
    resize(sizeForView(kDefaultViewWidth, kDefaultViewHeight));
    picView->setFocus();

    connect(picStatus, &StatusPanelWidget::raiseClicked, this, [this](int row) {
        run([&] { cmdSkillRaise_Click(g_, row); });
        picView->setFocus();
    });
    connect(picStatus, &StatusPanelWidget::carryReleased, this,
            [this](int box) { run([&] { picCarry_MouseUp(g_, box); }); });
    connect(picStatus, &StatusPanelWidget::carryScrolled, this,
            [this](int value) { run([&] { vsCarry_Change(g_, value); }); });

    connect(&Timer1, &QTimer::timeout, this, [this] { run([&] { Timer1_Timer(g_); }); });
    connect(&Timer2, &QTimer::timeout, this, [this] { run([&] { Timer2_Timer(g_); }); });
    connect(&Timer3, &QTimer::timeout, this, [this] { run([&] { Timer3_Timer(g_); }); });

    // Keys reach the game whichever control has the focus.
    qApp->installEventFilter(this);
}

void frmMain::buildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileNew = mnuFile->addAction(QStringLiteral("New"));
    mnuFileSave = mnuFile->addAction(QStringLiteral("Save"));
    mnuFileLoad = mnuFile->addAction(QStringLiteral("Load"));
    mnuFile->addSeparator();
    mnuFileExit = mnuFile->addAction(QStringLiteral("Exit"));
    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("About"));

    mnuCarry = new QMenu(QStringLiteral("Carry"), this);
    mnuCarryReady = mnuCarry->addAction(QStringLiteral("Ready"));
    mnuCarryUse = mnuCarry->addAction(QStringLiteral("Use"));
    mnuCarryDrop = mnuCarry->addAction(QStringLiteral("Drop"));

    connect(mnuFileNew, &QAction::triggered, this, [this] { run([&] { mnuFileNew_Click(g_); }); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { run([&] { mnuFileSave_Click(g_); }); });
    connect(mnuFileLoad, &QAction::triggered, this, [this] { run([&] { mnuFileLoad_Click(g_); }); });
    connect(mnuFileExit, &QAction::triggered, this, [this] { run([&] { mnuFileExit_Click(g_); }); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { run([&] { mnuHelpAbout_Click(g_); }); });
}

void frmMain::buildMessageLog() {
    messageLog = new MessageLogWidget;
    messageLogDock = new QDockWidget(QStringLiteral("Message Log"), this);
    messageLogDock->setObjectName(QStringLiteral("messageLog"));
    messageLogDock->setWidget(messageLog);
    messageLogDock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, messageLogDock);
    messageLogDock->hide();
    mnuViewMessageLog = messageLogDock->toggleViewAction();
    mnuViewMessageLog->setText(QStringLiteral("Message Log"));
    mnuViewMessageLog->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuView->addAction(mnuViewMessageLog);
}

template <class F> void frmMain::run(F&& handler) {
    handler();
    refreshPanel();
}

void frmMain::start() {
    run([&] { Form_Load(g_); });
    if (g_.CurrentPlayer == 0) {
        stopTimers();
        close();
        QCoreApplication::exit(0);
    }
}

void frmMain::startTimers(int timer1Ms, int timer2Ms, int timer3Ms) {
    Timer1.start(timer1Ms);
    Timer2.start(timer2Ms);
    Timer3.start(timer3Ms);
}

void frmMain::stopTimers() {
    Timer1.stop();
    Timer2.stop();
    Timer3.stop();
}

PopupChoice frmMain::popupCarryMenu(bool offerReady) {
    mnuCarryReady->setVisible(offerReady);
    mnuCarryUse->setVisible(false);
    mnuCarryDrop->setVisible(true);
    const QAction* chosen = mnuCarry->exec(QCursor::pos());
    if (chosen == mnuCarryReady) return PopupChoice::Ready;
    if (chosen == mnuCarryDrop) return PopupChoice::Drop;
    return PopupChoice::None;
}

void frmMain::refreshPanel() {
    picStatus->showStatus(g_.status, canvas_.sheet(kSheetItem), g_.carryScroll);
    messageLog->follow(g_.log);
}

QSize frmMain::sizeForView(int w, int h) const {
    return QSize(w + 1 + kStatusWidth, h + 1 + menuBar()->sizeHint().height());
}

void frmMain::Form_Resize() {
    run([&] {
        guarded(g_, "Form_Resize", [&] {
            const auto layout =
                formLayout(area_->width(), area_->height(), picStatus->width(), isMinimized());
            if (!layout) return;
            const auto place = [](QWidget* w, const Placement& p) {
                w->setGeometry(p.left, p.top, p.width, p.height);
            };
            place(picView, layout->picView);
            place(picStatus, layout->picStatus);
            canvas_.resize(picView->width(), picView->height());
            if (g_.CurrentPlayer > 0) Display(g_, true);
        });
    });
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == area_ && type == QEvent::Resize) {
        Form_Resize();
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    // Only keys meant for this window; a pop-up or a box handles its own.
    const auto* widget = qobject_cast<QWidget*>(watched);
    // The log, floating on its own, still leaves the keys to the game.
    if (!widget || (widget->window() != this && widget->window() != messageLogDock) ||
        qobject_cast<const QMenuBar*>(widget) || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int16_t code = virtualKey(key->key(), key->modifiers());
    if (code == 0) return false;
    if (type == QEvent::ShortcutOverride) {
        // Claim plain keys before any shortcut; Alt and Ctrl stay free for the menus.
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
        key->accept();
        return true;
    }
    run([&] { Form_KeyDown(g_, code, shiftState(key->modifiers())); });
    key->accept();
    return true;
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Without a window manager nothing holds the window to its minimum, and
    // the side panel would be cut off; ask once for the smallest whole size.
    const QSize whole = size().expandedTo(minimumSize());
    if (whole == size() || size() == refused_) return;
    refused_ = size();
    QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    stopTimers();
    event->accept();
}

} // namespace gf
