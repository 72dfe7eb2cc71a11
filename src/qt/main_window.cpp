#include "main_window.h"

#include "app/keys.h"
#include "app/menus.h"
#include "app/startup.h"
#include "app/timers.h"
#include "key_codes.h"
#include "qt_canvas.h"
#include "qt_text.h"
#include "render/layout.h"
#include "render/view.h"
#include "state/game.h"
#include "state/guard.h"

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

MainWindow::MainWindow(Game& game, QtCanvas& canvas, QWidget* parent)
    : QMainWindow(parent), g_(game), canvas_(canvas), area_(new QWidget(this)) {
    setWindowTitle(toQt(g_.screen.caption));
    buildMenus();
    buildMessageLog();

    setCentralWidget(area_);
    viewWidget = new ViewWidget(canvas_, area_);
    statusPanel = new StatusPanelWidget(area_);
    canvas_.setPresenter([this] { viewWidget->repaint(); });
    area_->setMinimumSize(kMinViewWidth + 1 + kStatusWidth, statusPanel->minimumSizeHint().height() + 1);
    area_->installEventFilter(this);
    resize(sizeForView(kDefaultViewWidth, kDefaultViewHeight));
    viewWidget->setFocus();

    connect(statusPanel, &StatusPanelWidget::raiseClicked, this, [this](int row) {
        run([&] { onRaiseSkill(g_, row); });
        viewWidget->setFocus();
    });
    connect(statusPanel, &StatusPanelWidget::carryReleased, this,
            [this](int box) { run([&] { onCarryBoxClicked(g_, box); }); });
    connect(statusPanel, &StatusPanelWidget::carryScrolled, this,
            [this](int value) { run([&] { onCarryScrolled(g_, value); }); });

    connect(&monsterTimer, &QTimer::timeout, this, [this] { run([&] { onMonsterTick(g_); }); });
    connect(&frameTimer, &QTimer::timeout, this, [this] { run([&] { onFrameTick(g_); }); });
    connect(&refreshTimer, &QTimer::timeout, this, [this] { run([&] { onRefreshTick(g_); }); });

    // Keys reach the game whichever control has the focus.
    qApp->installEventFilter(this);
}

void MainWindow::buildMenus() {
    fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    newAction = fileMenu->addAction(QStringLiteral("New"));
    saveAction = fileMenu->addAction(QStringLiteral("Save"));
    loadAction = fileMenu->addAction(QStringLiteral("Load"));
    fileMenu->addSeparator();
    exitAction = fileMenu->addAction(QStringLiteral("Exit"));
    viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    aboutAction = helpMenu->addAction(QStringLiteral("About"));

    carryPopup = new QMenu(QStringLiteral("Carry"), this);
    readyAction = carryPopup->addAction(QStringLiteral("Ready"));
    useAction = carryPopup->addAction(QStringLiteral("Use"));
    dropAction = carryPopup->addAction(QStringLiteral("Drop"));

    connect(newAction, &QAction::triggered, this, [this] { run([&] { onNewGame(g_); }); });
    connect(saveAction, &QAction::triggered, this, [this] { run([&] { onSaveGame(g_); }); });
    connect(loadAction, &QAction::triggered, this, [this] { run([&] { onLoadGame(g_); }); });
    connect(exitAction, &QAction::triggered, this, [this] { run([&] { onExit(g_); }); });
    connect(aboutAction, &QAction::triggered, this, [this] { run([&] { onAbout(g_); }); });
    buildViewMenu();
    buildSoundMenu();
}

void MainWindow::buildViewMenu() {
    zoomInAction = viewMenu->addAction(QStringLiteral("Zoom In"), this, [this] { setZoom(zoom_ + 1); });
    zoomInAction->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOutAction = viewMenu->addAction(QStringLiteral("Zoom Out"), this, [this] { setZoom(zoom_ - 1); });
    zoomOutAction->setShortcut(QKeySequence::ZoomOut);
    actualSizeAction =
        viewMenu->addAction(QStringLiteral("Actual Size"), this, [this] { setZoom(kMinZoom); });
    actualSizeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    viewMenu->addSeparator();
    fullScreenAction = viewMenu->addAction(QStringLiteral("Full Screen"));
    fullScreenAction->setCheckable(true);
    fullScreenAction->setShortcut(QKeySequence(Qt::Key_F11));
    connect(fullScreenAction, &QAction::toggled, this, [this](bool on) {
        setWindowState(on ? windowState() | Qt::WindowFullScreen : windowState() & ~Qt::WindowFullScreen);
    });
}

void MainWindow::buildSoundMenu() {
    soundMenu = new QMenu(QStringLiteral("&Sound"), this);
    menuBar()->insertMenu(helpMenu->menuAction(), soundMenu);
    muteAction = soundMenu->addAction(QStringLiteral("Mute"));
    muteAction->setCheckable(true);
    muteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(muteAction, &QAction::toggled, this, [this] { applySound(); });
    soundMenu->addSeparator();
    volumeActions = new QActionGroup(this);
    for (const int percent : {100, 75, 50, 25}) {
        QAction* volume = soundMenu->addAction(QStringLiteral("Volume %1%").arg(percent));
        volume->setCheckable(true);
        volume->setData(percent);
        volume->setChecked(percent == 100);
        volumeActions->addAction(volume);
    }
    connect(volumeActions, &QActionGroup::triggered, this, [this] { applySound(); });
}

void MainWindow::applySound() {
    const QAction* volume = volumeActions->checkedAction();
    const float gain = muteAction->isChecked() || !volume ? 0.0f : volume->data().toFloat() / 100.0f;
    if (soundGain_) soundGain_(gain);
}

void MainWindow::setSoundGain(std::function<void(float)> gain) {
    soundGain_ = std::move(gain);
    applySound();
}

void MainWindow::setZoom(int zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    zoomInAction->setEnabled(zoom_ < kMaxZoom);
    zoomOutAction->setEnabled(zoom_ > kMinZoom);
    viewWidget->setZoom(zoom_);
    onResize();
}

void MainWindow::remember(std::unique_ptr<QSettings> settings) {
    settings_ = std::move(settings);
    restoreWindow(readSettings(*settings_));
}

void MainWindow::restoreWindow(const WindowSettings& values) {
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
    const QList<QAction*> volumes = volumeActions->actions();
    (*std::min_element(volumes.begin(), volumes.end(), [&](const QAction* a, const QAction* b) {
        return distance(a) < distance(b);
    }))->setChecked(true);
    muteAction->setChecked(values.muted);
    applySound();
    Qt::WindowStates state = windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen);
    if (values.maximized) state |= Qt::WindowMaximized;
    if (values.fullScreen) state |= Qt::WindowFullScreen;
    setWindowState(state);
    fullScreenAction->setChecked(values.fullScreen);
}

WindowSettings MainWindow::currentSettings() const {
    WindowSettings values;
    values.geometry = normalGeometry();
    values.maximized = windowState().testFlag(Qt::WindowMaximized);
    values.fullScreen = windowState().testFlag(Qt::WindowFullScreen);
    values.zoom = zoom_;
    const QAction* volume = volumeActions->checkedAction();
    values.volume = volume ? volume->data().toInt() : 0;
    values.muted = muteAction->isChecked();
    return values;
}

bool MainWindow::isMenuShortcut(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    const auto actions = findChildren<QAction*>();
    return std::any_of(actions.begin(), actions.end(),
                       [&](const QAction* a) { return a->shortcuts().contains(pressed); });
}

void MainWindow::buildMessageLog() {
    messageLog = new MessageLogWidget;
    messageLogDock = new QDockWidget(QStringLiteral("Message Log"), this);
    messageLogDock->setObjectName(QStringLiteral("messageLog"));
    messageLogDock->setWidget(messageLog);
    messageLogDock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, messageLogDock);
    messageLogDock->hide();
    messageLogAction = messageLogDock->toggleViewAction();
    messageLogAction->setText(QStringLiteral("Message Log"));
    messageLogAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    viewMenu->insertAction(zoomInAction, messageLogAction);
    viewMenu->insertSeparator(zoomInAction);
}

template <class F> void MainWindow::run(F&& handler) {
    handler();
    refreshPanel();
}

void MainWindow::start() {
    run([&] { onStartup(g_); });
    if (g_.creatures.current == 0) {
        stopTimers();
        close();
        QCoreApplication::exit(0);
    }
}

void MainWindow::startTimers(int monsterMs, int frameMs, int refreshMs) {
    monsterTimer.start(monsterMs);
    frameTimer.start(frameMs);
    refreshTimer.start(refreshMs);
}

void MainWindow::stopTimers() {
    monsterTimer.stop();
    frameTimer.stop();
    refreshTimer.stop();
}

PopupChoice MainWindow::popupCarryMenu(const QString& itemName, bool offerReady) {
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
    carryPopup->insertAction(readyAction, title.get());
    readyAction->setVisible(offerReady);
    useAction->setVisible(false);
    dropAction->setVisible(true);
    const QAction* chosen = carryPopup->exec(QCursor::pos());
    if (chosen == readyAction) return PopupChoice::Ready;
    if (chosen == dropAction) return PopupChoice::Drop;
    return PopupChoice::None;
}

void MainWindow::refreshPanel() {
    statusPanel->showStatus(g_.screen.status, canvas_.sheet(kSheetItem), g_.screen.carryScroll);
    messageLog->follow(g_.messages.log);
}

QSize MainWindow::sizeForView(int w, int h) const {
    return QSize(w + 1 + kStatusWidth, h + 1 + menuBar()->sizeHint().height());
}

void MainWindow::onResize() {
    run([&] {
        guarded(g_, "Form_Resize", [&] {
            const auto layout =
                formLayout(area_->width(), area_->height(), statusPanel->width(), isMinimized());
            if (!layout) return;
            const auto place = [](QWidget* w, const Placement& p) {
                w->setGeometry(p.left, p.top, p.width, p.height);
            };
            place(viewWidget, layout->view);
            place(statusPanel, layout->panel);
            canvas_.resize(zoomedLength(viewWidget->width(), zoom_),
                           zoomedLength(viewWidget->height(), zoom_));
            if (g_.creatures.current > 0) redraw(g_, true);
        });
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == area_ && type == QEvent::Resize) {
        onResize();
        return false;
    }
    if (type == QEvent::Wheel && watched == viewWidget) {
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
    run([&] { onKeyDown(g_, *gameKey, shiftState(key->modifiers())); });
    key->accept();
    return true;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Without a window manager nothing holds the window to its minimum, and
    // the side panel would be cut off; ask once for the smallest whole size.
    const QSize whole = size().expandedTo(minimumSize());
    if (whole == size() || size() == refused_) return;
    refused_ = size();
    QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The window manager may end full screen by itself; the menu's tick follows it.
    if (event->type() == QEvent::WindowStateChange) {
        const QSignalBlocker quiet(fullScreenAction);
        fullScreenAction->setChecked(isFullScreen());
    }
}

void MainWindow::leave() {
    leaving_ = true;
    stopTimers();
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
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
