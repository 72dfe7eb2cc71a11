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

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QWheelEvent>
#include <QWidgetAction>

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
    buildViewMenu();
    buildSoundMenu();
}

void frmMain::buildViewMenu() {
    mnuViewZoomIn = mnuView->addAction(QStringLiteral("Zoom In"), this, [this] { setZoom(zoom_ + 1); });
    mnuViewZoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    mnuViewZoomOut = mnuView->addAction(QStringLiteral("Zoom Out"), this, [this] { setZoom(zoom_ - 1); });
    mnuViewZoomOut->setShortcut(QKeySequence::ZoomOut);
    mnuViewActualSize =
        mnuView->addAction(QStringLiteral("Actual Size"), this, [this] { setZoom(kMinZoom); });
    mnuViewActualSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    mnuView->addSeparator();
    mnuViewFullScreen = mnuView->addAction(QStringLiteral("Full Screen"));
    mnuViewFullScreen->setCheckable(true);
    mnuViewFullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    connect(mnuViewFullScreen, &QAction::toggled, this, [this](bool on) {
        setWindowState(on ? windowState() | Qt::WindowFullScreen : windowState() & ~Qt::WindowFullScreen);
    });
}

void frmMain::buildSoundMenu() {
    mnuSound = new QMenu(QStringLiteral("&Sound"), this);
    menuBar()->insertMenu(mnuHelp->menuAction(), mnuSound);
    mnuSoundMute = mnuSound->addAction(QStringLiteral("Mute"));
    mnuSoundMute->setCheckable(true);
    mnuSoundMute->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(mnuSoundMute, &QAction::toggled, this, [this] { applySound(); });
    mnuSound->addSeparator();
    mnuSoundVolume = new QActionGroup(this);
    for (const int percent : {100, 75, 50, 25}) {
        QAction* volume = mnuSound->addAction(QStringLiteral("Volume %1%").arg(percent));
        volume->setCheckable(true);
        volume->setData(percent);
        volume->setChecked(percent == 100);
        mnuSoundVolume->addAction(volume);
    }
    connect(mnuSoundVolume, &QActionGroup::triggered, this, [this] { applySound(); });
}

void frmMain::applySound() {
    const QAction* volume = mnuSoundVolume->checkedAction();
    const float gain = mnuSoundMute->isChecked() || !volume ? 0.0f : volume->data().toFloat() / 100.0f;
    if (soundGain_) soundGain_(gain);
}

void frmMain::setSoundGain(std::function<void(float)> gain) {
    soundGain_ = std::move(gain);
    applySound();
}

void frmMain::setZoom(int zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    mnuViewZoomIn->setEnabled(zoom_ < kMaxZoom);
    mnuViewZoomOut->setEnabled(zoom_ > kMinZoom);
    picView->setZoom(zoom_);
    Form_Resize();
}

void frmMain::remember(std::unique_ptr<QSettings> settings) {
    settings_ = std::move(settings);
    restoreWindow(readSettings(*settings_));
}

void frmMain::restoreWindow(const WindowSettings& values) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    // A window left on a screen that is gone comes back on this one.
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool onAScreen = std::any_of(screens.begin(), screens.end(), [&](const QScreen* s) {
        return s->availableGeometry().intersects(values.geometry);
    });
    if (values.geometry.isValid() && onAScreen) {
        setGeometry(QRect(values.geometry.topLeft(), values.geometry.size().expandedTo(minimumSizeHint())));
    } else {
        QRect placed(QPoint(), (available.size() * 3 / 4).expandedTo(minimumSizeHint()));
        placed.moveCenter(available.center());
        setGeometry(placed);
    }
    setZoom(values.zoom > 0 ? values.zoom : zoomForScreen(available.size()));
    // A volume written by hand between the menu's steps takes the nearest one.
    const auto distance = [&](const QAction* a) { return std::abs(a->data().toInt() - values.volume); };
    const QList<QAction*> volumes = mnuSoundVolume->actions();
    (*std::min_element(volumes.begin(), volumes.end(), [&](const QAction* a, const QAction* b) {
        return distance(a) < distance(b);
    }))->setChecked(true);
    mnuSoundMute->setChecked(values.muted);
    applySound();
    Qt::WindowStates state = windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen);
    if (values.maximized) state |= Qt::WindowMaximized;
    if (values.fullScreen) state |= Qt::WindowFullScreen;
    setWindowState(state);
    mnuViewFullScreen->setChecked(values.fullScreen);
}

WindowSettings frmMain::currentSettings() const {
    WindowSettings values;
    values.geometry = normalGeometry();
    values.maximized = windowState().testFlag(Qt::WindowMaximized);
    values.fullScreen = windowState().testFlag(Qt::WindowFullScreen);
    values.zoom = zoom_;
    const QAction* volume = mnuSoundVolume->checkedAction();
    values.volume = volume ? volume->data().toInt() : 0;
    values.muted = mnuSoundMute->isChecked();
    return values;
}

bool frmMain::isMenuShortcut(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    const auto actions = findChildren<QAction*>();
    return std::any_of(actions.begin(), actions.end(),
                       [&](const QAction* a) { return a->shortcuts().contains(pressed); });
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
    mnuView->insertAction(mnuViewZoomIn, mnuViewMessageLog);
    mnuView->insertSeparator(mnuViewZoomIn);
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

PopupChoice frmMain::popupCarryMenu(const QString& itemName, bool offerReady) {
    // Named at the top, so a player knows which of two alike items the menu acts on.
    // A label rather than a disabled entry, which the style would grey out.
    auto* heading = new QLabel(itemName);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setContentsMargins(8, 4, 8, 4);
    const auto title = std::make_unique<QWidgetAction>(nullptr);
    title->setText(itemName);
    title->setDefaultWidget(heading);
    mnuCarry->insertAction(mnuCarryReady, title.get());
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
            canvas_.resize(zoomedLength(picView->width(), zoom_), zoomedLength(picView->height(), zoom_));
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
    if (type == QEvent::Wheel && watched == picView) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
        const int notches = wheel->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
        if (notches != 0) setZoom(zoom_ + notches);
        return true;
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
    const std::optional<Key> gameKey = gf::gameKey(key->key(), key->modifiers());
    if (!gameKey || isMenuShortcut(key)) return false;
    if (type == QEvent::ShortcutOverride) {
        // Claim plain keys before any shortcut; Alt and Ctrl stay free for the menus.
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
        key->accept();
        return true;
    }
    run([&] { Form_KeyDown(g_, *gameKey, shiftState(key->modifiers())); });
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

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The window manager may end full screen by itself; the menu's tick follows it.
    if (event->type() == QEvent::WindowStateChange) {
        const QSignalBlocker quiet(mnuViewFullScreen);
        mnuViewFullScreen->setChecked(isFullScreen());
    }
}

void frmMain::leave() {
    leaving_ = true;
    stopTimers();
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    bool mayClose = leaving_;
    if (!mayClose) run([&] { mayClose = mayLeaveGame(g_); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    stopTimers();
    if (settings_) writeSettings(*settings_, currentSettings());
    event->accept();
}

} // namespace gf
